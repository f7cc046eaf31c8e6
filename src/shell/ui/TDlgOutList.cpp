#include "TDlgOutList.h"

#include "AddressInput.h"
#include "DialogControls.h"
#include "HexText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Hex4(uint16_t value) {
  return QStringLiteral("%1").arg(value, 4, 16, QChar('0')).toUpper();
}

uint16_t HexOf(const QLineEdit* edit) {
  return static_cast<uint16_t>(HexToInt(edit->text().toStdString()) & 0xFFFF);
}

} // namespace

TDlgOutList::TDlgOutList(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgOutList");
  setWindowTitle("输出列表文件设置");
  setAccessibleName("输出列表文件设置");
  ECodeBegin = new QLineEdit(this);
  ECodeBegin->setObjectName("ECodeBegin");
  ECodeEnd = new QLineEdit(this);
  ECodeEnd->setObjectName("ECodeEnd");
  for (QLineEdit* edit : {ECodeBegin, ECodeEnd})
    edit->installEventFilter(this);
  CBAddress = CheckBox("CBAddress", "地址", this);
  CBCode = CheckBox("CBCode", "代码", this);
  CBASM = CheckBox("CBASM", "反汇编", this);
  for (QCheckBox* box : {CBAddress, CBCode, CBASM})
    box->setChecked(true);

  auto* grid = new QGridLayout;
  grid->addWidget(Label("输出首址：", ECodeBegin, this), 0, 0);
  grid->addWidget(ECodeBegin, 0, 1);
  grid->addWidget(Label("输出末址：", ECodeEnd, this), 1, 0);
  grid->addWidget(ECodeEnd, 1, 1);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(CBAddress);
  boxes->addWidget(CBCode);
  boxes->addWidget(CBASM);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(boxes);
  QBoxLayout* buttons = OkCancelButtons("确认(&O)", "取消(&C)", this);
  findChild<QPushButton*>("BtnOK")->setObjectName("Button1");
  findChild<QPushButton*>("BtnCancel")->setObjectName("Button2");
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
}

bool TDlgOutList::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == ECodeBegin || watched == ECodeEnd) && event->type() == QEvent::KeyPress)
    for (const QChar c : static_cast<QKeyEvent*>(event)->text())
      if (!AddressInput::AcceptsCharacter(c.unicode())) return true;
  return QDialog::eventFilter(watched, event);
}

bool TDlgOutList::Execute(uint16_t& start, uint16_t& end) {
  ECodeBegin->setText(Hex4(start));
  ECodeEnd->setText(Hex4(end));
  ECodeBegin->setFocus();
  if (exec() != QDialog::Accepted) return false;
  start = HexOf(ECodeBegin);
  end = HexOf(ECodeEnd);
  return true;
}

ListColumns TDlgOutList::Columns() const {
  return {CBAddress->isChecked(), CBCode->isChecked(), CBASM->isChecked()};
}
