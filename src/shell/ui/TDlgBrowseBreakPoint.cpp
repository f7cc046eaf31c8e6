#include "TDlgBrowseBreakPoint.h"

#include "BreakPointRows.h"
#include "UserInterface.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPushButton* Button(const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  button->setAutoDefault(false);
  return button;
}

} // namespace

TDlgBrowseBreakPoint::TDlgBrowseBreakPoint(const TOmf& debugInfo, UserInterface& ui,
                                           QWidget* parent)
    : QDialog(parent), LBreakNum(new QLabel(this)), SGBreakPoint(new QTableWidget(2, 3, this)),
      BtnOK(Button("确认(&O)", this)), BtnCancel(Button("取消(&C)", this)),
      BtnAdd(Button("增加(&A)", this)), BtnDelete(Button("删除(&D)", this)),
      BtnClear(Button("清除(&L)", this)), DebugInfo(debugInfo), UI(ui) {
  setObjectName("DlgBrowseBreakPoint");
  setWindowTitle("Corvel 浏览断点");
  setAccessibleName(windowTitle());
  setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
  LBreakNum->setObjectName("LBreakNum");
  SGBreakPoint->setObjectName("SGBreakPoint");
  SGBreakPoint->setAccessibleName("SGBreakPoint");
  SGBreakPoint->setHorizontalHeaderLabels({"模块", "地址", "行号"});
  SGBreakPoint->verticalHeader()->hide();
  SGBreakPoint->setSelectionBehavior(QAbstractItemView::SelectRows);
  SGBreakPoint->setSelectionMode(QAbstractItemView::SingleSelection);
  SGBreakPoint->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SGBreakPoint->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  int column = 0;
  for (int width : {174, 104, 113})
    SGBreakPoint->setColumnWidth(column++, width);
  BtnOK->setObjectName("BtnOK");
  BtnOK->setDefault(true);
  BtnCancel->setObjectName("BtnCancel");
  BtnAdd->setObjectName("BtnAdd");
  BtnDelete->setObjectName("BtnDelete");
  BtnClear->setObjectName("BtnClear");

  auto* count = new QHBoxLayout;
  auto* label = new QLabel("断点个数：", this);
  label->setAccessibleName(label->text());
  count->addWidget(label);
  count->addWidget(LBreakNum);
  count->addStretch();
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {BtnOK, BtnCancel, BtnAdd, BtnDelete, BtnClear})
    buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(count);
  layout->addWidget(SGBreakPoint);
  layout->addLayout(buttons);
  resize(174 + 104 + 113 + 40, 260);
  setFixedSize(size());

  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(BtnAdd, &QPushButton::clicked, this, &TDlgBrowseBreakPoint::Add);
  connect(BtnDelete, &QPushButton::clicked, this, &TDlgBrowseBreakPoint::Delete);
  connect(BtnClear, &QPushButton::clicked, this, [this] {
    Entries.Clear();
    Display();
  });
}

bool TDlgBrowseBreakPoint::Browse(TLongIntList& breakPoints) {
  Entries.Clear();
  for (int32_t address : breakPoints.Values())
    Entries.Add(address);
  Display();
  SGBreakPoint->setCurrentCell(0, 0);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  if (exec() != QDialog::Accepted) return false;
  breakPoints.Clear();
  for (int32_t address : Entries.Values())
    breakPoints.Add(address);
  return true;
}

void TDlgBrowseBreakPoint::Display() {
  const std::vector<BreakPointRow> rows = BreakPointRows(DebugInfo, Entries);
  const int current = SGBreakPoint->currentRow();
  SGBreakPoint->setRowCount(std::max<int>(static_cast<int>(rows.size()), 1));
  SGBreakPoint->clearContents();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i);
    SGBreakPoint->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(rows[i].Module)));
    SGBreakPoint->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(rows[i].Address)));
    SGBreakPoint->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(rows[i].Line)));
  }
  if (!rows.empty())
    SGBreakPoint->selectRow(std::clamp(current, 0, static_cast<int>(rows.size()) - 1));
  LBreakNum->setText(QString::number(Entries.Count()));
}

void TDlgBrowseBreakPoint::Add() {
  const std::optional<uint16_t> address = UI.AskAddress(0, true);
  if (!address) return;
  Entries.Add(*address);
  Display();
}

void TDlgBrowseBreakPoint::Delete() {
  const int row = SGBreakPoint->currentRow();
  if (Entries.Empty() || row < 0 || row >= Entries.Count()) return;
  Entries.Delete(row);
  Display();
}
