#include "TDlgFindText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <class W> W* Named(W* widget, const QString& name, const QString& caption) {
  widget->setObjectName(name);
  widget->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  return widget;
}

} // namespace

TDlgFindText::TDlgFindText(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("查找字符串"));
  setAccessibleName(windowTitle());
  auto* label = Named(new QLabel(QStringLiteral("输入要查找的字符串：")), "Label",
                      QStringLiteral("输入要查找的字符串："));
  FindText = Named(new QLineEdit, "FindText", QStringLiteral("输入要查找的字符串"));
  label->setBuddy(FindText);
  CBWholeWord = Named(new QCheckBox(QStringLiteral("Whole Word")), "CBWholeWord",
                      QStringLiteral("Whole Word"));
  CBMatchCase = Named(new QCheckBox(QStringLiteral("Match Case")), "CBMatchCase",
                      QStringLiteral("Match Case"));
  BtnOK = Named(new QPushButton(QStringLiteral("&OK")), "BtnOK", QStringLiteral("&OK"));
  BtnCancel =
      Named(new QPushButton(QStringLiteral("&Cancel")), "BtnCancel", QStringLiteral("&Cancel"));
  BtnOK->setDefault(true);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0, 1, 2);
  layout->addWidget(FindText, 1, 0, 1, 2);
  layout->addWidget(CBWholeWord, 2, 0);
  layout->addWidget(CBMatchCase, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  layout->addLayout(buttons, 3, 0, 1, 2);
}
