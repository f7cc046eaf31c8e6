#include "TDlgOption.h"

#include "DialogControls.h"
#include "FileListControls.h"
#include "TOption.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* Banks[] = {"BANK  &0", "BANK  &1", "BANK  &2", "BANK  &3"};
constexpr const char* Models[] = {"SMALL", "COMPACT", "LARGE"};
constexpr const char* Optimize[] = {"OPTIMIZE (0)", "OPTIMIZE (1)", "OPTIMIZE (2)",
                                    "OPTIMIZE (3)", "OPTIMIZE (4)", "OPTIMIZE (5)"};
constexpr const char* CmdShow[] = {"隐藏", "一般", "最小", "最大"};
constexpr const char* OtherText = "命令行其它参数其它：";

QLineEdit* Edit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

// Checks the item of a stored number; a number the group has not (a damaged file) checks none.
void Check(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) {
    button->setChecked(true);
    return;
  }
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons())
    button->setChecked(false);
  group->setExclusive(true);
}

uint8_t Checked(const QButtonGroup* group, uint8_t old) {
  const int id = group->checkedId();
  return id < 0 ? old : static_cast<uint8_t>(id);
}

} // namespace

TDlgOption::TDlgOption(QWidget* parent) : QDialog(parent) {
  setObjectName("DlgOption");
  setWindowTitle("选项");
  setAccessibleName("选项");
  ChooseLibraries = [this] {
    return QFileDialog::getOpenFileNames(this, QString(), QString(),
                                         FileDialogFilter(LibraryFilter));
  };
  ChooseFolder = [this] { return QFileDialog::getExistingDirectory(this, "选择目录："); };

  Pages = new QTabWidget(this);
  Pages->setObjectName("PageControl");
  Pages->addTab(AssemblerPage(), "汇编语言");
  Pages->addTab(CPage(), "C语言");
  Pages->addTab(LinkPage(), "编译连接选项");
  Pages->addTab(BuildPage(), "编译选项");
  Pages->setCurrentIndex(3);
  for (int i = 0; i < Pages->count(); ++i)
    Pages->widget(i)->setAccessibleName(Pages->tabText(i));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages, 1);
  layout->addLayout(OkCancelButtons("确认", "取消", this));
  setMinimumSize(524, 300);
}

QWidget* TDlgOption::AssemblerPage() {
  auto* page = new QWidget;
  RGASM_RegisterBank = new QButtonGroup(page);
  auto* grid = new QGridLayout(page);
  grid->addWidget(
      RadioGroup("RGASM_RegisterBank", " 寄存器组(&R)", Banks, RGASM_RegisterBank, page), 0, 0);
  EASM_Other = Edit("EASM_Other", page);
  grid->addWidget(Label(OtherText, EASM_Other, page), 1, 0);
  grid->addWidget(EASM_Other, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* TDlgOption::CPage() {
  auto* page = new QWidget;
  RGC_RegisterBank = new QButtonGroup(page);
  RGC_Compile = new QButtonGroup(page);
  RGC_Optimize = new QButtonGroup(page);
  auto* grid = new QGridLayout(page);
  grid->addWidget(RadioGroup("RGC_RegisterBank", " 寄存器组(&R)", Banks, RGC_RegisterBank, page), 0,
                  0);
  grid->addWidget(RadioGroup("RGC_Compile", "编译选项(&C)", Models, RGC_Compile, page), 0, 1);
  grid->addWidget(RadioGroup("RGC_Optimize", "优化设置(&O)", Optimize, RGC_Optimize, page, 2), 0,
                  2);
  EC_Other = Edit("EC_Other", page);
  grid->addWidget(Label(OtherText, EC_Other, page), 1, 0);
  grid->addWidget(EC_Other, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);
  return page;
}

QLineEdit* TDlgOption::FolderEdit(const char* name, const char* button, const QString& caption,
                                  QWidget* page, QGridLayout* grid, int row) {
  QLineEdit* edit = Edit(name, page);
  QPushButton* browse = Button(QStringLiteral("Btn%1").arg(name + 1).toLatin1().constData(),
                               QString::fromUtf8(button), page);
  connect(browse, &QPushButton::clicked, this, [this, edit] {
    const QString folder = ChooseFolder();
    if (!folder.isEmpty()) edit->setText(folder);
  });
  grid->addWidget(Label(caption, edit, page), row, 0);
  grid->addWidget(edit, row, 1, 1, 2);
  grid->addWidget(browse, row, 3);
  return edit;
}

QWidget* TDlgOption::LinkPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  LBLibName = new QListWidget(page);
  LBLibName->setObjectName("LBLibName");
  BtnAdd = Button("BtnAdd", "增加(&A)", page);
  BtnDelete = Button("BtnDelete", "删除(&D)", page);
  BtnDeleteAll = Button("BtnDeleteAll", "删除所有", page);
  Libraries = new FileListControls(
      LBLibName, BtnAdd, BtnDelete, BtnDeleteAll, [this] { return ChooseLibraries(); }, this);
  grid->addWidget(Label("连接库：", LBLibName, page), 0, 0, 1, 3);
  grid->addWidget(LBLibName, 1, 0, 3, 3);
  grid->addWidget(BtnAdd, 1, 3);
  grid->addWidget(BtnDelete, 2, 3);
  grid->addWidget(BtnDeleteAll, 3, 3);
  ELinkOther = Edit("ELinkOther", page);
  grid->addWidget(Label(OtherText, ELinkOther, page), 4, 0);
  grid->addWidget(ELinkOther, 4, 1, 1, 3);
  EBINPath = FolderEdit("EBINPath", "浏览(&B)", "编译器：", page, grid, 5);
  EINCPath = FolderEdit("EINCPath", "浏览(&I)", "头文件：", page, grid, 6);
  ELIBPath = FolderEdit("ELIBPath", "浏览(&L)", "库文件：", page, grid, 7);
  grid->setColumnStretch(1, 1);
  return page;
}

QWidget* TDlgOption::BuildPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  UDDelayTime = new QSpinBox(page);
  UDDelayTime->setObjectName("UDDelayTime");
  UDDelayTime->setRange(0, 100);
  grid->addWidget(Label("编译等待时间(秒)：", UDDelayTime, page), 0, 0);
  grid->addWidget(UDDelayTime, 0, 1);
  RGC_CmdShow = new QButtonGroup(page);
  grid->addWidget(RadioGroup("RGC_CmdShow", "编译窗口", CmdShow, RGC_CmdShow, page, 4), 1, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(2, 1);
  return page;
}

bool TDlgOption::Execute(TOption& option) {
  Check(RGASM_RegisterBank, option.ASM_RegisterBank);
  EASM_Other->setText(QString::fromStdString(option.ASM_Other));
  Check(RGC_RegisterBank, option.C_RegisterBank);
  Check(RGC_Compile, option.C_Compile);
  Check(RGC_Optimize, option.C_Optimize);
  EC_Other->setText(QString::fromStdString(option.C_Other));
  Libraries->Assign(option.LibName);
  Libraries->SelectFirst();
  ELinkOther->setText(QString::fromStdString(option.LinkOther));
  EBINPath->setText(QString::fromStdString(option.BINPath));
  EINCPath->setText(QString::fromStdString(option.INCPath));
  ELIBPath->setText(QString::fromStdString(option.LIBPath));
  UDDelayTime->setValue(option.DelayTime);
  Check(RGC_CmdShow, option.C_CmdShow);
  if (exec() != QDialog::Accepted) return false;

  option.ASM_RegisterBank = Checked(RGASM_RegisterBank, option.ASM_RegisterBank);
  option.ASM_Other = EASM_Other->text().toStdString();
  option.C_RegisterBank = Checked(RGC_RegisterBank, option.C_RegisterBank);
  option.C_Compile = Checked(RGC_Compile, option.C_Compile);
  option.C_Optimize = Checked(RGC_Optimize, option.C_Optimize);
  option.C_Other = EC_Other->text().toStdString();
  option.LibName = Libraries->Editor.Entries;
  option.LinkOther = ELinkOther->text().toStdString();
  option.BINPath = EBINPath->text().toStdString();
  option.INCPath = EINCPath->text().toStdString();
  option.LIBPath = ELIBPath->text().toStdString();
  option.DelayTime = static_cast<uint8_t>(UDDelayTime->value());
  option.C_CmdShow = Checked(RGC_CmdShow, static_cast<uint8_t>(option.C_CmdShow));
  return true;
}
