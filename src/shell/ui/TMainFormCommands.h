#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QDialog;
class QtUserInterface;
class TDlgBrowseModule;
class TDlgEmluatorMode;
class TDlgFiles;
class TDlgGuide;
class TDlgInputNum;
class TDlgOption;
class TDlgOutList;
class TDlgProject;
class TDlgSelectPort;
class TMainForm;
class Workbench;

// The main window's own commands that show its dialogs: memory saves and the list file, the
// Project menu, the emulator-mode and port dialogs, the compile options, the module browser and
// the guide. Each dialog
// is created once, in the start-up order, and reused.
class TMainFormCommands : public QObject {
  Q_OBJECT

public:
  TMainFormCommands(TMainForm& form, Workbench& wb, QtUserInterface& ui);

  // The port dialog before the main window shows: OK opens the port, resets the target and
  // reloads the views; Cancel leaves the simulator as the target.
  void SelectPortAtStart();

  void SaveMemory(int space);
  void OutList();
  void ProjectNew();
  void ProjectOpen();
  void ProjectEdit();
  void ProjectClose();
  void ProjectFileList();
  void EmluatorMode();
  void SelectCommPort();
  void CompileOption();
  void BrowseModule();
  void Guide();

  // Every dialog with its form name, in the order they were created.
  std::vector<std::pair<QString, QDialog*>> Dialogs() const;

  TDlgProject* DlgProject;
  TDlgEmluatorMode* DlgEmluatorMode;
  TDlgSelectPort* DlgSelectPort;
  TDlgInputNum* DlgInputNum;
  TDlgOption* DlgOption;
  TDlgBrowseModule* DlgBrowseModule;
  TDlgFiles* DlgFiles;
  TDlgOutList* DlgOutList;
  TDlgGuide* DlgGuide;
  // The save dialog DlgSaveFile and the project dialog DlgOpenProject; empty when cancelled.
  std::function<QString()> ChooseSaveFile;
  std::function<QString()> ChooseProjectFile;

private:
  // Asks the project's name and opens it, after saving the open one; false when cancelled.
  bool OpenChosenProject();

  TMainForm& Form;
  Workbench& WB;
  QtUserInterface& UI;
};
