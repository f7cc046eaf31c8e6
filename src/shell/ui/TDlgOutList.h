#pragma once

#include "DisassemblyListing.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLineEdit;

// The list-file dialog: the code range to list and the columns to keep. The check marks stay
// as they were left for the next use.
class TDlgOutList : public QDialog {
  Q_OBJECT

public:
  explicit TDlgOutList(QWidget* parent = nullptr);

  // Shows start and end; on OK they hold the edits' hexadecimal values. True for OK.
  bool Execute(uint16_t& start, uint16_t& end);
  ListColumns Columns() const;

  QLineEdit* ECodeBegin;
  QLineEdit* ECodeEnd;
  QCheckBox* CBAddress;
  QCheckBox* CBCode;
  QCheckBox* CBASM;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
