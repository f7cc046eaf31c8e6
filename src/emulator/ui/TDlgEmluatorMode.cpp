#include "TDlgEmluatorMode.h"

#include "DialogControls.h"
#include "TOptionBlock.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

TDlgEmluatorMode::TDlgEmluatorMode(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgEmluatorMode");
  setWindowTitle(EmulatorModeForm::Caption);
  setAccessibleName(EmulatorModeForm::Caption);

  LBEmlutorCPU = new QListWidget(this);
  LBEmlutorCPU->setObjectName("LBEmlutorCPU");
  for (const char* name : EmulatorModeForm::CpuNames)
    LBEmlutorCPU->addItem(name);
  LBEmlutorCPU->setFixedHeight(LBEmlutorCPU->sizeHintForRow(0) * 6 + 6);
  QLabel* cpuLabel = Label("&CPU:", LBEmlutorCPU, this);

  RAMItems = new QButtonGroup(this);
  RGEmlutorRAM = RadioGroup("RGEmlutorRAM", "R&AM", EmulatorModeForm::RamNames, RAMItems, this);
  ROMItems = new QButtonGroup(this);
  RGEmlutorROM = RadioGroup("RGEmlutorROM", "R&OM", EmulatorModeForm::RomNames, ROMItems, this);

  auto* pins = new QGroupBox("读写控制", this);
  pins->setAccessibleName("读写控制");
  CBP36 = CheckBox("CBP36", EmulatorModeForm::P36Text, pins);
  CBP37 = CheckBox("CBP37", EmulatorModeForm::P37Text, pins);
  auto* pinLayout = new QVBoxLayout(pins);
  pinLayout->addWidget(CBP36);
  pinLayout->addWidget(CBP37);

  auto* memories = new QVBoxLayout;
  memories->addWidget(RGEmlutorRAM);
  memories->addWidget(RGEmlutorROM);
  auto* grid = new QGridLayout;
  grid->addWidget(cpuLabel, 0, 0);
  grid->addWidget(LBEmlutorCPU, 1, 0, Qt::AlignTop);
  grid->addLayout(memories, 0, 1, 2, 1);
  grid->addWidget(pins, 2, 0, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(OkCancelButtons("确认", "取消", this));
  setFixedSize(sizeHint());

  connect(LBEmlutorCPU, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0 || row == Form.Cpu) return;
    Form.SelectCpu(row);
    ShowForm();
  });
  connect(RAMItems, &QButtonGroup::idClicked, this, [this](int id) { Form.Ram = id; });
  connect(ROMItems, &QButtonGroup::idClicked, this, [this](int id) { Form.Rom = id; });
  for (QCheckBox* box : {CBP36, CBP37})
    connect(box, &QCheckBox::clicked, this, [this] {
      Form.P36 = CBP36->isChecked();
      Form.P37 = CBP37->isChecked();
      Form.CheckBoxClicked();
      ShowForm();
    });
}

void TDlgEmluatorMode::ShowForm() {
  LBEmlutorCPU->setCurrentRow(Form.Cpu);
  RAMItems->button(Form.Ram)->setChecked(true);
  ROMItems->button(Form.Rom)->setChecked(true);
  RGEmlutorRAM->setEnabled(Form.RamEnabled);
  CBP36->setChecked(Form.P36);
  CBP37->setChecked(Form.P37);
  CBP36->setEnabled(Form.P36Enabled);
  CBP37->setEnabled(Form.P37Enabled);
}

bool TDlgEmluatorMode::Execute(TOptionBlock& option) {
  Form.Show(option);
  // A damaged settings file may hold choices the lists do not have.
  const int cpu = std::clamp(Form.Cpu, 0, int(EmulatorModeForm::CpuNames.size()) - 1);
  if (cpu != Form.Cpu) Form.SelectCpu(cpu);
  Form.Ram = std::clamp(Form.Ram, 0, 1);
  Form.Rom = std::clamp(Form.Rom, 0, 1);
  ShowForm();
  if (exec() != QDialog::Accepted) return false;
  Form.Accept(option);
  return true;
}
