#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The find dialog, created once and reused, so it keeps the last search.
class TDlgFindText : public QDialog {
  Q_OBJECT
public:
  explicit TDlgFindText(QWidget* parent = nullptr);

  QLineEdit* FindText;
  QCheckBox* CBWholeWord;
  QCheckBox* CBMatchCase;
  QPushButton* BtnOK;
  QPushButton* BtnCancel;
};
