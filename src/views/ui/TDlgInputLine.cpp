#include "TDlgInputLine.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TDlgInputLine::TDlgInputLine(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("参数对话框"));
  setAccessibleName(windowTitle());
  auto* label = new QLabel(QStringLiteral("输入跳转行："));
  label->setAccessibleName(label->text());
  EInputLine = new QSpinBox;
  EInputLine->setObjectName("EInputLine");
  EInputLine->setAccessibleName(QStringLiteral("输入跳转行"));
  EInputLine->setRange(1, 10000);
  EInputLine->setValue(1);
  EInputLine->setWrapping(false);
  label->setBuddy(EInputLine);
  BtnOK = new QPushButton(QStringLiteral("&OK"));
  BtnOK->setObjectName("BtnOK");
  BtnOK->setAccessibleName(QStringLiteral("OK"));
  BtnOK->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("&Cancel"));
  BtnCancel->setObjectName("BtnCancel");
  BtnCancel->setAccessibleName(QStringLiteral("Cancel"));
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(EInputLine, 0, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  layout->addLayout(buttons, 1, 0, 1, 2);
}

int TDlgInputLine::Position() const {
  return EInputLine->value();
}
