#pragma once

#include "TMdiChild.h"

#include <QString>

// What the main window needs of a source editor child (new, open, history, the files of the
// last run, closing). The editor window implements it.
class TSourceEditor : public TMdiChild {
public:
  virtual QString FileName() const = 0;
  virtual void SetFileName(const QString& path) = 0;
  // False (after its own message) when the file could not be read.
  virtual bool LoadFile(const QString& path) = 0;
  virtual void SetModified(bool modified) = 0;
  // Asks to save a modified text; false when the user cancelled.
  virtual bool CheckModified() = 0;
  // 1-based line.
  virtual void GoToLine(int line) = 0;
};
