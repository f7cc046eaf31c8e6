#include "TDlgInputRegistor.h"

#include "TViewStyle.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* BuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setBuddy(buddy);
  label->setAccessibleName(AccessibleText(caption));
  buddy->setAccessibleName(label->accessibleName());
  return label;
}

} // namespace

TDlgInputRegistor::TDlgInputRegistor(QWidget* parent)
    : QDialog(parent), EName(new QLineEdit(this)),
      RGRegistorLen(new QGroupBox(QStringLiteral("长度(&L)"), this)),
      OneByte(new QRadioButton(QStringLiteral("一字节"), RGRegistorLen)),
      TwoBytes(new QRadioButton(QStringLiteral("二字节"), RGRegistorLen)),
      EAddrL(new QLineEdit(QStringLiteral("0"), this)),
      EAddrH(new QLineEdit(QStringLiteral("0"), this)),
      BtnCancel(new QPushButton(QStringLiteral("取消(&C)"), this)),
      BtnOK(new QPushButton(QStringLiteral("确认(&O)"), this)) {
  setWindowTitle(QStringLiteral("寄存器属性 "));
  EName->setMaxLength(9);
  EAddrH->setEnabled(false);
  OneByte->setChecked(true);
  RGRegistorLen->setAccessibleName(AccessibleText(RGRegistorLen->title()));
  for (QPushButton* b : {BtnCancel, BtnOK})
    b->setAccessibleName(AccessibleText(b->text()));
  for (QRadioButton* b : {OneByte, TwoBytes})
    b->setAccessibleName(b->text());
  BtnOK->setDefault(true);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(TwoBytes, &QRadioButton::toggled, EAddrH, &QWidget::setEnabled);

  auto* lengthLayout = new QVBoxLayout(RGRegistorLen);
  lengthLayout->addWidget(OneByte);
  lengthLayout->addWidget(TwoBytes);
  auto* fields = new QGridLayout;
  fields->addWidget(BuddyLabel(QStringLiteral("名字(&N)："), EName, this), 0, 0);
  fields->addWidget(EName, 0, 1);
  fields->addWidget(RGRegistorLen, 1, 0, 1, 2);
  fields->addWidget(BuddyLabel(QStringLiteral("低位地址(&L):"), EAddrL, this), 2, 0);
  fields->addWidget(EAddrL, 2, 1);
  fields->addWidget(BuddyLabel(QStringLiteral("高位地址(&H):"), EAddrH, this), 3, 0);
  fields->addWidget(EAddrH, 3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnCancel);
  buttons->addWidget(BtnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
}

int TDlgInputRegistor::LengthItem() const {
  return TwoBytes->isChecked() ? 1 : 0;
}

void TDlgInputRegistor::SetLengthItem(int item) {
  (item == 1 ? TwoBytes : OneByte)->setChecked(true);
}
