#pragma once

#include "BuildDriver.h"
#include "BuildHost.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class TActionHost;
class TDlgFindText;
class TDlgInputLine;
class TSourceEditor;
class TWinCompileLinkMsg;
class TWinSourceFile;
class Workbench;

// The Compile menu on the main window: connects its actions to the build
// driver, creates the source editors and the build messages window (kind 6),
// and runs the batch file without blocking the window (which repaints but
// takes no commands until the build ends; Esc cancels it).
class TCompileActions : public QObject, public BuildHost {
  Q_OBJECT
public:
  TCompileActions(TActionHost& host, QWidget& mainWindow, Workbench& wb);
  ~TCompileActions() override;

  BuildDriver Driver;
  // The program that runs batch files (`PROGRAM --run-batch FILE`); this program by default.
  QString RunnerProgram;
  // Chooses the file ACompileLoadModule loads; the module dialog unless a test replaces it.
  std::function<QString()> ChooseModule;

  TWinSourceFile* NewEditor();

  // BuildHost
  std::string ActiveEditorFile() const override;
  bool CheckModified(const std::string& fileName) override;
  bool ExecuteAndWait(const std::string& batchFile, int showMode) override;
  void BeginCompileResult(const std::string& caption) override;
  void ShowCompileResult(const std::vector<std::string>& lines) override;
  void CloseDisassembly() override;
  void OpenDisassembly(const TDefModuleInfo* module) override;
  void UseInterrupt() override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Connect(const char* name, std::function<void()> handler);
  void UpdateActions();
  void GoToSource(const struct MessageTarget& target);
  TSourceEditor* EditorOf(const QString& fileName) const;
  QList<TWinSourceFile*> Editors() const;
  TWinCompileLinkMsg* Messages() const;

  TActionHost& Host;
  QWidget& MainWindow;
  Workbench& WB;
  std::unique_ptr<TDlgFindText> FindDialog;
  std::unique_ptr<TDlgInputLine> LineDialog;
  QList<QPointer<TWinSourceFile>> EditorList;
  std::vector<std::string> LastMessages;
  bool Building = false;
  bool Cancelled = false;
};
