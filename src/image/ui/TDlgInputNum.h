#pragma once

#include "AddressInput.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QRadioButton;
class TOmf;

// The address-input dialog shared by the debug commands, the loaders and the views: an
// address typed in hexadecimal or decimal, or picked from the program's code labels. It keeps
// its radix and its history for the life of the program.
class TDlgInputNum : public QDialog {
  Q_OBJECT

public:
  explicit TDlgInputNum(QWidget* parent = nullptr);

  // Shows value, with the code labels of omf when withLabels; the low 16 bits of the entered
  // value on OK, nothing on Cancel.
  std::optional<uint16_t> Execute(int32_t value, bool withLabels, const TOmf& omf);

  QComboBox* CBAddress;
  QRadioButton* RBHex;
  QRadioButton* RBDec;
  QListWidget* LBListResult;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Accept();

  AddressInput Input;
};
