#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The register properties: a name, one or two bytes, and their addresses in hexadecimal.
class TDlgInputRegistor : public QDialog {
public:
  explicit TDlgInputRegistor(QWidget* parent = nullptr);

  // 0 "一字节", 1 "二字节".
  int LengthItem() const;
  void SetLengthItem(int item);

  QLineEdit* EName;
  QGroupBox* RGRegistorLen;
  QRadioButton* OneByte;
  QRadioButton* TwoBytes;
  QLineEdit* EAddrL;
  QLineEdit* EAddrH;
  QPushButton* BtnCancel;
  QPushButton* BtnOK;
};
