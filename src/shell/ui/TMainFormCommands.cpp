#include "TMainFormCommands.h"

#include "BinarySave.h"
#include "DialogControls.h"
#include "DisassemblyListing.h"
#include "HexText.h"
#include "ProjectCommands.h"
#include "QtUserInterface.h"
#include "TDlgBrowseModule.h"
#include "TDlgEmluatorMode.h"
#include "TDlgFiles.h"
#include "TDlgGuide.h"
#include "TDlgInputNum.h"
#include "TDlgOption.h"
#include "TDlgOutList.h"
#include "TDlgProject.h"
#include "TDlgSelectPort.h"
#include "TMainForm.h"
#include "Workbench.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>

namespace {

QString Hex4(uint16_t value) {
  return QStringLiteral("%1").arg(value, 4, 16, QChar('0')).toUpper();
}

} // namespace

TMainFormCommands::TMainFormCommands(TMainForm& form, Workbench& wb, QtUserInterface& ui)
    : QObject(&form), Form(form), WB(wb), UI(ui) {
  DlgProject = new TDlgProject(&form);
  DlgEmluatorMode = new TDlgEmluatorMode(&form);
  DlgSelectPort = new TDlgSelectPort(&form);
  DlgInputNum = new TDlgInputNum(&form);
  DlgOption = new TDlgOption(&form);
  DlgBrowseModule = new TDlgBrowseModule(&form);
  DlgFiles = new TDlgFiles(&form);
  DlgOutList = new TDlgOutList(&form);
  DlgGuide = new TDlgGuide(&form);

  ChooseSaveFile = [this] {
    return QFileDialog::getSaveFileName(&Form, QString(), QDir::currentPath(),
                                        FileDialogFilter("*.bin|*.bin|*.lst|*.lst|*.*|*.*"));
  };
  ChooseProjectFile = [this] {
    QFileDialog dialog(&Form);
    dialog.setObjectName("DlgOpenProject");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a new project's file does not exist yet
    dialog.setNameFilter(FileDialogFilter("新建工程(*.PRJ)|*.PRJ|所有文件(*.*)|*.*"));
    dialog.setDefaultSuffix("PRJ");
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  UI.AddressDialog = [this](uint16_t preset, bool withLabels) {
    return DlgInputNum->Execute(preset, withLabels, WB.DebugInfo);
  };

  const auto on = [this](const char* name, void (TMainFormCommands::*command)()) {
    connect(Form.Action(name), &QAction::triggered, this, command);
  };
  connect(Form.Action("AFileSaveROM"), &QAction::triggered, this, [this] { SaveMemory(0); });
  connect(Form.Action("AFileSaveRAM"), &QAction::triggered, this, [this] { SaveMemory(1); });
  on("AFileOutList", &TMainFormCommands::OutList);
  on("AProjectNew", &TMainFormCommands::ProjectNew);
  on("AProjectOpen", &TMainFormCommands::ProjectOpen);
  on("AProjectEdit", &TMainFormCommands::ProjectEdit);
  on("AProjectClose", &TMainFormCommands::ProjectClose);
  on("AProjectFileList", &TMainFormCommands::ProjectFileList);
  on("AOptionEmluatorMode", &TMainFormCommands::EmluatorMode);
  on("AOptionSelectCommPort", &TMainFormCommands::SelectCommPort);
  on("ACompileOption", &TMainFormCommands::CompileOption);
  on("ACompileBrowseModule", &TMainFormCommands::BrowseModule);
  on("AHelpAbout", &TMainFormCommands::Guide);
}

void TMainFormCommands::SelectPortAtStart() {
  if (DlgSelectPort->Execute(WB.Option) == TDlgSelectPort::Result::Cancelled) return;
  WB.Port.Open();
  WB.Port.ResetTarget();
  WB.ReloadViews();
}

void TMainFormCommands::SaveMemory(int space) {
  const QString file = ChooseSaveFile();
  if (file.isEmpty()) return;
  const auto start = UI.InputBox("输入16进制数据", "开始地址：", Hex4(WB.DebugInfo.StartAddr));
  if (!start) return;
  const auto end = UI.InputBox("输入16进制数据", "终止地址：", Hex4(WB.DebugInfo.EndAddr));
  if (!end) return;
  const auto first = static_cast<uint16_t>(HexToInt(start->toStdString()) & 0xFFFF);
  const auto last = static_cast<uint16_t>(HexToInt(end->toStdString()) & 0xFFFF);
  if (last >= first && WB.Port.IsOpen()) {
    if (space == 0)
      WB.Port.ReadCode(first, last - first + 1);
    else
      WB.Port.ReadXData(first, last - first + 1);
  }
  SaveBinary(file.toStdString(), space == 0 ? WB.CPU.Code : WB.CPU.XData, first, last, UI);
}

void TMainFormCommands::OutList() {
  const QString file = ChooseSaveFile();
  if (file.isEmpty()) return;
  uint16_t start = WB.DebugInfo.StartAddr;
  uint16_t end = WB.DebugInfo.EndAddr;
  if (!DlgOutList->Execute(start, end)) return;
  if (end >= start && WB.Port.IsOpen()) WB.Port.ReadCode(start, end - start + 1);
  WriteListingFile(file.toStdString(),
                   DisassemblyListing(WB.CPU, start, end, DlgOutList->Columns()), UI);
}

bool TMainFormCommands::OpenChosenProject() {
  SaveOpenProject(WB.Project);
  const QString name = ChooseProjectFile();
  if (name.isEmpty()) return false;
  OpenProject(WB.Project, WB.Option, name.toStdString());
  return true;
}

void TMainFormCommands::ProjectNew() {
  if (OpenChosenProject()) DlgProject->Execute(WB.Project);
}

void TMainFormCommands::ProjectOpen() {
  OpenChosenProject();
}

void TMainFormCommands::ProjectEdit() {
  DlgProject->Execute(WB.Project);
}

void TMainFormCommands::ProjectClose() {
  CloseProject(WB.Project, WB.Option);
}

void TMainFormCommands::ProjectFileList() {
  if (const auto file = DlgFiles->Execute(WB.Project)) Form.OpenSourceFile(*file);
}

void TMainFormCommands::EmluatorMode() {
  if (!DlgEmluatorMode->Execute(WB.Option)) return;
  WB.Port.FirstConnect = true;
  WB.Port.ResetTarget();
  WB.Refresh();
}

void TMainFormCommands::SelectCommPort() {
  if (DlgSelectPort->Execute(WB.Option) == TDlgSelectPort::Result::Changed) WB.Port.Open();
}

void TMainFormCommands::CompileOption() {
  if (DlgOption->Execute(WB.Option)) ConfirmOptionLibraries(WB.Option, WB.Project);
}

void TMainFormCommands::BrowseModule() {
  DlgBrowseModule->Execute(WB.DebugInfo, WB.Views.Disassembly);
}

void TMainFormCommands::Guide() {
  DlgGuide->exec();
}

std::vector<std::pair<QString, QDialog*>> TMainFormCommands::Dialogs() const {
  std::vector<std::pair<QString, QDialog*>> dialogs;
  for (QDialog* dialog :
       std::initializer_list<QDialog*>{DlgProject, DlgEmluatorMode, DlgSelectPort, DlgInputNum,
                                       DlgOption, DlgBrowseModule, DlgFiles, DlgOutList, DlgGuide})
    dialogs.emplace_back(dialog->objectName(), dialog);
  return dialogs;
}
