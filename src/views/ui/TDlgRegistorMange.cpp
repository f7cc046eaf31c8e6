#include "TDlgRegistorMange.h"

#include "RegisterCells.h"
#include "TDlgInputRegistor.h"
#include "TViewStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

TDlgRegistorMange::TDlgRegistorMange(QWidget* parent)
    : QDialog(parent), CLBRegistor(new QListWidget(this)),
      BtnAdd(new QPushButton(QStringLiteral("增加(&A)"), this)),
      BtnDelete(new QPushButton(QStringLiteral("删除(&D)"), this)),
      BtnEdit(new QPushButton(QStringLiteral("修改(&E)"), this)),
      BtnOK(new QPushButton(QStringLiteral("确认(&O)"), this)),
      BtnCancel(new QPushButton(QStringLiteral("取消(&C)"), this)),
      InputRegistor(new TDlgInputRegistor(this)) {
  setWindowTitle(QStringLiteral("寄存器管理"));
  auto* label = new QLabel(QStringLiteral("寄存器(&R)："), this);
  label->setBuddy(CLBRegistor);
  label->setAccessibleName(AccessibleText(label->text()));
  CLBRegistor->setAccessibleName(label->accessibleName());
  CLBRegistor->setFont(ViewFont());
  for (QPushButton* b : {BtnAdd, BtnDelete, BtnEdit, BtnOK, BtnCancel}) {
    b->setAccessibleName(AccessibleText(b->text()));
    b->setAutoDefault(false);
  }
  BtnOK->setDefault(true);
  connect(BtnAdd, &QPushButton::clicked, this, &TDlgRegistorMange::BtnAddClick);
  connect(BtnDelete, &QPushButton::clicked, this, &TDlgRegistorMange::BtnDeleteClick);
  connect(BtnEdit, &QPushButton::clicked, this, &TDlgRegistorMange::BtnEditClick);
  connect(BtnOK, &QPushButton::clicked, this, [this] {
    StoreChecks();
    accept();
  });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {BtnAdd, BtnDelete, BtnEdit})
    buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(BtnOK);
  buttons->addWidget(BtnCancel);
  auto* list = new QVBoxLayout;
  list->addWidget(label);
  list->addWidget(CLBRegistor);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(list, 1);
  layout->addLayout(buttons);
  resize(360, 300);
}

void TDlgRegistorMange::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ListRecords();
}

void TDlgRegistorMange::ListRecords() {
  CLBRegistor->clear();
  const std::vector<std::string> lines = List.Lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(lines[i]), CLBRegistor);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(List.Records[i].Visible ? Qt::Checked : Qt::Unchecked);
  }
}

void TDlgRegistorMange::StoreChecks() {
  std::vector<bool> checks;
  for (int i = 0; i < CLBRegistor->count(); ++i)
    checks.push_back(CLBRegistor->item(i)->checkState() == Qt::Checked);
  List.StoreChecks(checks);
}

TRegisterDesc TDlgRegistorMange::EnteredRecord() const {
  return RegisterManagerList::FromTexts(
      InputRegistor->EName->text().toStdString(), InputRegistor->LengthItem(),
      InputRegistor->EAddrL->text().toStdString(), InputRegistor->EAddrH->text().toStdString());
}

void TDlgRegistorMange::BtnAddClick() {
  StoreChecks();
  InputRegistor->EName->clear();
  InputRegistor->EAddrL->clear();
  InputRegistor->EAddrH->clear();
  InputRegistor->SetLengthItem(0);
  if (InputRegistor->exec() != QDialog::Accepted) return;
  List.Records.push_back(EnteredRecord());
  ListRecords();
}

void TDlgRegistorMange::BtnDeleteClick() {
  const int row = CLBRegistor->currentRow();
  if (row < 0 || row >= static_cast<int>(List.Records.size())) return;
  StoreChecks();
  List.Records.erase(List.Records.begin() + row);
  ListRecords();
}

void TDlgRegistorMange::BtnEditClick() {
  const int row = CLBRegistor->currentRow();
  if (row < 0 || row >= static_cast<int>(List.Records.size())) return;
  StoreChecks();
  const TRegisterDesc& record = List.Records[static_cast<size_t>(row)];
  char addr[8];
  InputRegistor->EName->setText(QString::fromStdString(RegisterCells::NameText(record.GetName())));
  std::snprintf(addr, sizeof addr, "%.2X", record.Addr);
  InputRegistor->EAddrL->setText(QString::fromLatin1(addr));
  std::snprintf(addr, sizeof addr, "%.2X", record.AddrHigh);
  InputRegistor->EAddrH->setText(QString::fromLatin1(addr));
  InputRegistor->SetLengthItem(record.IsPair);
  if (InputRegistor->exec() != QDialog::Accepted) return;
  List.Records[static_cast<size_t>(row)] = EnteredRecord();
  ListRecords();
}
