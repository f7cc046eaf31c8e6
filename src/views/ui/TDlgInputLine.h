#pragma once

#include <QDialog>

class QPushButton;
class QSpinBox;

// The go-to-line dialog, created once and reused, so it keeps the last line.
class TDlgInputLine : public QDialog {
  Q_OBJECT
public:
  explicit TDlgInputLine(QWidget* parent = nullptr);

  // The line edit with its up-down buttons (1 to 10000, no wrap).
  QSpinBox* EInputLine;
  QPushButton* BtnOK;
  QPushButton* BtnCancel;

  int Position() const;
};
