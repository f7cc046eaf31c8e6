#include "TDlgSelectPort.h"

#include "DialogControls.h"
#include "TOptionBlock.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include <algorithm>

TDlgSelectPort::TDlgSelectPort(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgSelectPort");
  setWindowTitle(SelectPortForm::Caption);
  setAccessibleName(SelectPortForm::Caption);
  PortItems = new QButtonGroup(this);
  RGSelectPort = RadioGroup("RGSelectPort", "", SelectPortForm::PortNames, PortItems, this);
  RGSelectPort->setAccessibleName(SelectPortForm::Caption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RGSelectPort);
  layout->addLayout(OkCancelButtons("确认", "取消", this));
  setFixedSize(sizeHint());
  connect(PortItems, &QButtonGroup::idClicked, this, [this](int id) { Form.Port = id; });
}

TDlgSelectPort::Result TDlgSelectPort::Execute(TOptionBlock& option) {
  Form.Show(option);
  Form.Port = std::clamp(Form.Port, 0, int(SelectPortForm::PortNames.size()) - 1);
  PortItems->button(Form.Port)->setChecked(true);
  if (exec() != QDialog::Accepted) return Result::Cancelled;
  return Form.Accept(option) ? Result::Changed : Result::Same;
}
