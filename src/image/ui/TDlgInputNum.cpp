#include "TDlgInputNum.h"

#include "DialogControls.h"
#include "TOmf.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TDlgInputNum::TDlgInputNum(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgInputNum");
  setWindowTitle("输入数据");
  setAccessibleName("输入数据");
  CBAddress = new QComboBox(this);
  CBAddress->setObjectName("CBAddress");
  CBAddress->setEditable(true);
  CBAddress->setInsertPolicy(QComboBox::NoInsert);
  CBAddress->lineEdit()->installEventFilter(this);
  RBHex = new QRadioButton("十六进制", this);
  RBHex->setObjectName("RBHex");
  RBHex->setAccessibleName("十六进制");
  RBHex->setChecked(true);
  RBDec = new QRadioButton("十进制", this);
  RBDec->setObjectName("RBDec");
  RBDec->setAccessibleName("十进制");
  LBListResult = new QListWidget(this);
  LBListResult->setObjectName("LBListResult");
  LBListResult->setAccessibleName("LBListResult");
  LBListResult->setMinimumSize(240, 160);

  auto* grid = new QGridLayout;
  grid->addWidget(Label("数据：", CBAddress, this), 0, 0, 1, 2);
  grid->addWidget(CBAddress, 1, 0, 1, 2);
  grid->addWidget(RBHex, 2, 0);
  grid->addWidget(RBDec, 2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(LBListResult, 1);
  QBoxLayout* buttons = OkCancelButtons("确认", "取消", this);
  layout->addLayout(buttons);

  // OK reads the text first: a decimal text that is no number keeps the dialog open.
  auto* ok = findChild<QPushButton*>("BtnOK");
  disconnect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(ok, &QPushButton::clicked, this, &TDlgInputNum::Accept);
  connect(LBListResult, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    CBAddress->setEditText(
        QString::fromStdString(AddressInput::AddressOfLabelLine(item->text().toStdString())));
  });
}

bool TDlgInputNum::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CBAddress->lineEdit() && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    for (const QChar c : text)
      if (!AddressInput::AcceptsCharacter(c.unicode())) return true;
  }
  return QDialog::eventFilter(watched, event);
}

std::optional<uint16_t> TDlgInputNum::Execute(int32_t value, bool withLabels, const TOmf& omf) {
  Input.Value = value;
  Input.Hexadecimal = !RBDec->isChecked();
  CBAddress->clear();
  for (const std::string& entry : Input.History)
    CBAddress->addItem(QString::fromStdString(entry));
  CBAddress->setEditText(QString::fromStdString(Input.ShownText()));
  LBListResult->setVisible(withLabels);
  LBListResult->clear();
  if (withLabels)
    for (const std::string& line : AddressInput::LabelLines(omf))
      LBListResult->addItem(QString::fromStdString(line));
  adjustSize();
  CBAddress->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return static_cast<uint16_t>(Input.Value);
}

void TDlgInputNum::Accept() {
  Input.Hexadecimal = !RBDec->isChecked();
  std::string error;
  if (!Input.Accept(CBAddress->currentText().toStdString(), error)) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(error));
    return;
  }
  accept();
}
