#pragma once

#include "FileListEditor.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

// A list box with Add, Delete and Delete-all buttons over a FileListEditor: the project's
// files and the options dialog's libraries.
class FileListControls : public QObject {
  Q_OBJECT

public:
  // choose asks for the files to add (empty: none).
  FileListControls(QListWidget* list, QPushButton* add, QPushButton* remove, QPushButton* removeAll,
                   std::function<QStringList()> choose, QObject* parent);

  // Shows a copy of entries with nothing selected.
  void Assign(const std::vector<std::string>& entries);
  void SelectFirst();

  FileListEditor Editor;
  // After every change of the list or its selection, once the buttons are updated.
  std::function<void()> Changed;

private:
  void Show();
  void UpdateButtons();

  QListWidget* List;
  QPushButton* Remove;
  QPushButton* RemoveAll;
  std::function<QStringList()> Choose;
};
