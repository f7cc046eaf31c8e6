#include "AtomicFile.h"
#include "MainFormFixture.h"
#include "ModalScript.h"
#include "TDlgBrowseModule.h"
#include "TDlgEmluatorMode.h"
#include "TDlgFiles.h"
#include "TDlgInputNum.h"
#include "TDlgOption.h"
#include "TDlgOutList.h"
#include "TDlgProject.h"
#include "TDlgSelectPort.h"
#include "TMainFormCommands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

void Reject(QWidget* dialog) {
  static_cast<QDialog*>(dialog)->reject();
}

void ClickOK(QWidget* dialog) {
  for (const char* name : {"BtnOK", "Button1"})
    if (auto* ok = dialog->findChild<QPushButton*>(name))
      return QTest::mouseClick(ok, Qt::LeftButton);
}

// An input box's answer.
std::function<void(QWidget*)> Answer(const QString& text) {
  return [text](QWidget* dialog) {
    auto* box = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(box, nullptr);
    box->setTextValue(text);
    box->accept();
  };
}

} // namespace

TEST_F(MainFormTest, TheEmulatorModeDialogFollowsItsRules) {
  Start();
  TDlgEmluatorMode& dialog = *Form->Commands().DlgEmluatorMode;
  TOptionBlock option;
  option.EmlutorCPU = 0;
  option.EmlutorRAM = 1;
  ModalScript script;
  script.Then([&](QWidget* d) {
    EXPECT_EQ(d, &dialog);
    EXPECT_FALSE(dialog.CBP36->isEnabled()); // 8031 has no choice of pins
    EXPECT_TRUE(dialog.RGEmlutorRAM->isEnabled());
    EXPECT_TRUE(dialog.RAMItems->button(1)->isChecked());
    dialog.LBEmlutorCPU->setCurrentRow(3); // 8751/89C51: on-chip program, user RAM
    EXPECT_TRUE(dialog.CBP36->isEnabled());
    EXPECT_FALSE(dialog.RGEmlutorRAM->isEnabled());
    EXPECT_TRUE(dialog.RAMItems->button(0)->isChecked());
    dialog.LBEmlutorCPU->setCurrentRow(5); // 80C320: the RAM is free until a pin is I/O
    EXPECT_TRUE(dialog.RGEmlutorRAM->isEnabled());
    dialog.RAMItems->button(1)->click();
    dialog.CBP37->click();
    EXPECT_FALSE(dialog.RGEmlutorRAM->isEnabled());
    EXPECT_TRUE(dialog.RAMItems->button(0)->isChecked());
    dialog.ROMItems->button(0)->click();
    ClickOK(d);
  });
  ASSERT_TRUE(dialog.Execute(option));
  EXPECT_EQ(option.EmlutorCPU, 5);
  EXPECT_EQ(option.EmlutorRAM, 0);
  EXPECT_EQ(option.EmlutorROM, 0);
  EXPECT_FALSE(option.P36IO);
  EXPECT_TRUE(option.P37IO);

  const TOptionBlock before = option;
  script.Then([&](QWidget* d) {
    dialog.LBEmlutorCPU->setCurrentRow(0);
    Reject(d);
  });
  EXPECT_FALSE(dialog.Execute(option));
  EXPECT_EQ(option.EmlutorCPU, before.EmlutorCPU);
  EXPECT_EQ(option.P37IO, before.P37IO);
}

TEST_F(MainFormTest, ThePortDialogTellsWhetherThePortChanged) {
  Start();
  TDlgSelectPort& dialog = *Form->Commands().DlgSelectPort;
  TOptionBlock option;
  option.SelectPort = 1;
  ModalScript script;
  script.Then([&](QWidget* d) {
    EXPECT_TRUE(dialog.PortItems->button(1)->isChecked());
    EXPECT_EQ(dialog.PortItems->button(4)->text(), "并口  1");
    ClickOK(d);
  });
  script.Then([&](QWidget* d) {
    dialog.PortItems->button(2)->click();
    ClickOK(d);
  });
  script.Then([&](QWidget* d) {
    dialog.PortItems->button(0)->click();
    Reject(d);
  });
  EXPECT_EQ(dialog.Execute(option), TDlgSelectPort::Result::Same);
  EXPECT_EQ(dialog.Execute(option), TDlgSelectPort::Result::Changed);
  EXPECT_EQ(option.SelectPort, 2);
  EXPECT_EQ(dialog.Execute(option), TDlgSelectPort::Result::Cancelled);
  EXPECT_EQ(option.SelectPort, 2);
}

TEST_F(MainFormTest, TheAddressDialogFiltersKeysKeepsItsHistoryAndOffersTheLabels) {
  Start();
  TDlgInputNum& dialog = *Form->Commands().DlgInputNum;
  TSymbolRec label;
  label.Name = "SORT_END";
  label.Addr = 0x09E2;
  WB->DebugInfo.Symbols.push_back(label);
  ModalScript script;
  script.Then([&](QWidget* d) {
    EXPECT_EQ(dialog.CBAddress->currentText(), "1A"); // hexadecimal without zeros or H
    ASSERT_TRUE(dialog.LBListResult->isVisible());
    ASSERT_EQ(dialog.LBListResult->count(), 1);
    EXPECT_EQ(dialog.LBListResult->item(0)->text(), "Addr(09E2), SORT_END");
    dialog.CBAddress->lineEdit()->clear();
    QTest::keyClicks(dialog.CBAddress->lineEdit(), "8 0g0Z1");
    EXPECT_EQ(dialog.CBAddress->currentText(), "8001");
    QTest::mouseClick(dialog.LBListResult->viewport(), Qt::LeftButton, {},
                      dialog.LBListResult->visualItemRect(dialog.LBListResult->item(0)).center());
    EXPECT_EQ(dialog.CBAddress->currentText(), "09E2");
    ClickOK(d);
  });
  EXPECT_EQ(dialog.Execute(0x1A, true, WB->DebugInfo), 0x09E2);

  MessageBoxCatcher boxes;
  script.Then([&](QWidget* d) {
    EXPECT_FALSE(dialog.LBListResult->isVisible());
    EXPECT_EQ(dialog.CBAddress->count(), 1); // the history
    dialog.RBDec->click();
    dialog.CBAddress->setEditText("12x");
    ClickOK(d); // not a number: the dialog stays
    EXPECT_TRUE(WaitFor([&] { return !boxes.Texts.isEmpty(); }, 5000));
    EXPECT_TRUE(d->isVisible());
    dialog.CBAddress->setEditText("70000");
    ClickOK(d);
  });
  EXPECT_EQ(dialog.Execute(5, false, WB->DebugInfo), 70000 & 0xFFFF);
  script.Then([&](QWidget* d) {
    EXPECT_EQ(dialog.CBAddress->currentText(), "5"); // decimal stays chosen
    Reject(d);
  });
  EXPECT_EQ(dialog.Execute(5, false, WB->DebugInfo), std::nullopt);
}

TEST_F(MainFormTest, TheModuleBrowserListsTheModulesAndTheirAttributes) {
  Start();
  for (const char* name : {"MAIN", ""}) {
    auto module = std::make_unique<TDefModuleInfo>();
    module->Name = name;
    module->SourceName = "main.c";
    module->SourceKind = stC;
    module->CodeBegin = 0x0100;
    module->CodeEnd = 0x01FF;
    WB->DebugInfo.Modules.push_back(std::move(module));
  }
  TDlgBrowseModule& dialog = *Form->Commands().DlgBrowseModule;
  ModalScript script;
  script.Then([&](QWidget* d) {
    ASSERT_EQ(dialog.LBModule->count(), 2);
    EXPECT_EQ(dialog.LBModule->item(1)->text(), "NO NAME");
    dialog.LBModule->setCurrentRow(0);
    EXPECT_EQ(dialog.MemoModuleAttrib->toPlainText(), "Code Begin(0100),Code End(01FF)\nmain.c\nC");
    ClickOK(d);
  });
  EXPECT_TRUE(dialog.Execute(WB->DebugInfo, nullptr));
}

TEST_F(MainFormTest, TheOptionsDialogShowsAndStoresTheSettings) {
  Start();
  TDlgOption& dialog = *Form->Commands().DlgOption;
  TOption& option = WB->Option;
  option.C_Optimize = 4;
  option.LibName = {"/lib/a.lib", "/lib/b.lib"};
  option.BINPath = "/opt/工具 链/bin";
  option.C_CmdShow = 9; // a damaged file: no item checked, the value stays
  dialog.ChooseLibraries = [] { return QStringList{"/lib/c.lib", "/lib/a.lib"}; };
  dialog.ChooseFolder = [] { return QString("/opt/inc"); };
  ModalScript script;
  script.Then([&](QWidget* d) {
    EXPECT_EQ(dialog.Pages->currentIndex(), 3); // "编译选项" first
    EXPECT_TRUE(dialog.RGC_Optimize->button(4)->isChecked());
    EXPECT_EQ(dialog.RGC_CmdShow->checkedId(), -1);
    EXPECT_EQ(dialog.LBLibName->currentRow(), 0);
    EXPECT_TRUE(dialog.BtnDelete->isEnabled());
    dialog.BtnDelete->click();
    EXPECT_FALSE(dialog.BtnDelete->isEnabled());
    dialog.BtnAdd->click();
    EXPECT_EQ(dialog.LBLibName->count(), 3);
    dialog.findChild<QPushButton*>("BtnINCPath")->click();
    EXPECT_EQ(dialog.EINCPath->text(), "/opt/inc");
    dialog.RGASM_RegisterBank->button(2)->click();
    dialog.UDDelayTime->setValue(7);
    dialog.Pages->setCurrentIndex(1);
    ClickOK(d);
  });
  ASSERT_TRUE(dialog.Execute(option));
  EXPECT_EQ(option.LibName, (std::vector<std::string>{"/lib/b.lib", "/lib/c.lib", "/lib/a.lib"}));
  EXPECT_EQ(option.INCPath, "/opt/inc");
  EXPECT_EQ(option.BINPath, "/opt/工具 链/bin");
  EXPECT_EQ(option.ASM_RegisterBank, 2);
  EXPECT_EQ(option.DelayTime, 7);
  EXPECT_EQ(option.C_CmdShow, 9);
  script.Then([&](QWidget* d) {
    EXPECT_EQ(dialog.Pages->currentIndex(), 1); // the page last shown
    dialog.BtnDeleteAll->click();
    Reject(d);
  });
  EXPECT_FALSE(dialog.Execute(option));
  EXPECT_EQ(option.LibName.size(), 3u);
}

TEST_F(MainFormTest, TheProjectDialogCannotConfirmAnEmptyList) {
  Start();
  TDlgProject& dialog = *Form->Commands().DlgProject;
  WB->Project.FileName = "/lab/工程 一.PRJ";
  dialog.ChooseFiles = [] { return QStringList{"/lab/a.asm", "/lab/a.asm"}; };
  ModalScript script;
  script.Then([&](QWidget* d) {
    EXPECT_EQ(d->windowTitle(), "/lab/工程 一.PRJ");
    EXPECT_FALSE(dialog.BtnOK->isEnabled());
    EXPECT_FALSE(dialog.BtnDeleteAll->isEnabled());
    dialog.BtnAdd->click(); // the same file twice stays twice
    EXPECT_TRUE(dialog.BtnOK->isEnabled());
    EXPECT_FALSE(dialog.BtnDelete->isEnabled());
    dialog.LBFile->setCurrentRow(1);
    EXPECT_TRUE(dialog.BtnDelete->isEnabled());
    dialog.BtnAdd->click();
    ClickOK(d);
  });
  ASSERT_TRUE(dialog.Execute(WB->Project));
  EXPECT_EQ(WB->Project.Files.size(), 4u);
  script.Then([&](QWidget* d) {
    dialog.BtnDeleteAll->click();
    EXPECT_FALSE(dialog.BtnOK->isEnabled());
    Reject(d);
  });
  EXPECT_FALSE(dialog.Execute(WB->Project));
  EXPECT_EQ(WB->Project.Files.size(), 4u);
  WB->Project.FileName.clear();
}

TEST_F(MainFormTest, TheFileListOpensTheChosenFile) {
  const auto file = Dir.Write("a.asm", "");
  Start();
  WB->Project.Files = {"/lab/x.asm", file.string()};
  WB->Project.FileName = (Dir.Path / "p.prj").string();
  ModalScript script;
  script.Then([&](QWidget* d) {
    auto* list = d->findChild<QListWidget*>("LBFile");
    list->setCurrentRow(1);
    ClickOK(d);
  });
  Form->RunUpdateHandlers();
  ASSERT_TRUE(Form->Action("AProjectFileList")->isEnabled());
  Form->Action("AProjectFileList")->trigger();
  ASSERT_EQ(Form->SourceEditors().size(), 1u);
  EXPECT_EQ(Form->SourceEditors()[0]->FileName().toStdString(), file.string());
}

TEST_F(MainFormTest, SavingDataMemoryWritesTheRangeInclusive) {
  Start();
  for (int i = 0; i < 0x100; ++i)
    WB->CPU.XData[0x8000 + size_t(i)] = uint8_t(i);
  const auto file = Dir.Path / "数据 区.bin";
  Form->Commands().ChooseSaveFile = [&] { return QString::fromStdString(file.string()); };
  ModalScript script;
  script.Then([](QWidget* d) {
    EXPECT_EQ(static_cast<QInputDialog*>(d)->textValue(), "FFFF"); // nothing loaded
    Answer("8000")(d);
  });
  script.Then(Answer("80FF"));
  MessageBoxCatcher boxes;
  Form->Action("AFileSaveRAM")->trigger();
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(file, bytes));
  ASSERT_EQ(bytes.size(), 256u);
  EXPECT_EQ(uint8_t(bytes[0x7F]), 0x7F);
  ASSERT_TRUE(WaitFor([&] { return !boxes.Texts.isEmpty(); }, 5000));
  EXPECT_EQ(boxes.Texts[0], "文件：" + QString::fromStdString(file.string()) + "已经保存完毕");

  // Cancel in the second box ends the command and writes nothing.
  std::filesystem::remove(file);
  script.Then(Answer("0000"));
  script.Then(Reject);
  Form->Action("AFileSaveROM")->trigger();
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(MainFormTest, TheListFileStopsAtTheEndOfTheCodeSpace) {
  Start();
  WB->CPU.Code[0xFFFD] = 0x00; // NOP
  WB->CPU.Code[0xFFFE] = 0x74; // MOV A,#55H ends at FFFFH
  WB->CPU.Code[0xFFFF] = 0x55;
  const auto file = Dir.Path / "list.lst";
  Form->Commands().ChooseSaveFile = [&] { return QString::fromStdString(file.string()); };
  TDlgOutList& dialog = *Form->Commands().DlgOutList;
  ModalScript script;
  script.Then([&](QWidget* d) {
    QTest::keyClicks(dialog.ECodeBegin, "x"); // refused
    dialog.ECodeBegin->setText("FFFD");
    dialog.ECodeEnd->setText("FFFF");
    dialog.CBCode->setChecked(false);
    ClickOK(d);
  });
  MessageBoxCatcher boxes;
  Form->Action("AFileOutList")->trigger();
  std::string text;
  ASSERT_TRUE(ReadWholeFile(file, text));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
  EXPECT_EQ(text.rfind("FFFD", 0), 0u);
  EXPECT_NE(text.find("\nFFFE"), std::string::npos);
  EXPECT_EQ(text.find("\n0000"), std::string::npos);
  EXPECT_FALSE(dialog.CBCode->isChecked()); // kept for the next use
  ASSERT_TRUE(WaitFor([&] { return !boxes.Texts.isEmpty(); }, 5000));
  EXPECT_EQ(boxes.Texts[0], "列表文件已经生成");
}

TEST_F(MainFormTest, ProjectsOpenFromTheMenuAndFromTheHistory) {
  Start();
  const std::string name = (Dir.Path / "lab.PRJ").string();
  Form->Commands().ChooseProjectFile = [&] { return QString::fromStdString(name); };
  ModalScript script;
  script.Then(Reject); // the project dialog of AProjectNew
  Form->Action("AProjectNew")->trigger();
  EXPECT_EQ(WB->Project.FileName, name);
  EXPECT_EQ(Form->History().Files, std::vector<std::string>{name});
  WB->Project.Files = {"/lab/a.asm"};
  WB->Option.LibName = {"/lib/x.lib"};
  WB->Project.LibFiles = {"/lib/x.lib"};
  Form->RunUpdateHandlers();
  EXPECT_TRUE(Form->Action("AProjectClose")->isEnabled());
  Form->Action("AProjectClose")->trigger(); // saves it
  EXPECT_TRUE(WB->Project.FileName.empty());
  EXPECT_TRUE(WB->Option.LibName.empty());
  Form->HistoryMenuClick(0);
  EXPECT_EQ(WB->Project.FileName, name);
  EXPECT_EQ(WB->Project.Files, std::vector<std::string>{"/lab/a.asm"});
  EXPECT_EQ(WB->Option.LibName, std::vector<std::string>{"/lib/x.lib"});
}

TEST_F(MainFormTest, AllDialogsAndControlsHaveAccessibleNames) {
  Start();
  for (const auto& [name, dialog] : Form->Commands().Dialogs()) {
    EXPECT_FALSE(dialog->accessibleName().isEmpty()) << name.toStdString();
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
      if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QLineEdit*>(control) &&
          !qobject_cast<QAbstractItemView*>(control) && !qobject_cast<QGroupBox*>(control))
        continue;
      // Qt's own parts of a combo or spin box are named by the box.
      if (control->objectName().startsWith("qt_") || control->objectName().isEmpty()) continue;
      EXPECT_FALSE(control->accessibleName().isEmpty())
          << name.toStdString() << " " << control->objectName().toStdString();
      EXPECT_FALSE(control->accessibleName().contains('&')) << control->objectName().toStdString();
    }
  }
}
