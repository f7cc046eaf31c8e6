#pragma once

#include "FileHistory.h"
#include "TActionHost.h"
#include "TViewContext.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QProgressBar;
class QToolBar;
class QtUserInterface;
class TMainFormCommands;
class TMdiChild;
class TSourceEditor;
class Workbench;
struct TBounds;

// The workbench's main window: the MDI frame with its menus, tool bar and status bar. It
// offers the parts (debug commands, views, editor and build) the actions they implement and
// the child windows they fill.
class TMainForm : public QMainWindow, public TActionHost {
  Q_OBJECT

public:
  static constexpr const char* Caption = "Corvel仿真开发系统";
  // The separators after which the File menu lists the history and the Window menu the
  // child windows.
  static constexpr int MarkerTag = 12345;
  static constexpr int ViewKinds = 7;

  // Builds the frame over wb, whose user interface is ui.
  TMainForm(Workbench& wb, QtUserInterface& ui);
  ~TMainForm() override;

  // Where each part hooks itself in, once the frame exists.
  void AttachParts();

  QAction* Action(const QString& name) const override;
  void AddUpdateHandler(std::function<void()> handler) override;
  void SetViewFactory(int kind, std::function<QWidget*()> factory) override;
  QWidget* ShowView(int kind) override;
  void SetStatusText(int panel, const QString& text) override;
  void SetEditorFactory(std::function<TSourceEditor*()> factory) override;
  void OpenSourceFile(const QString& path) override;
  void AddHistoryFile(const QString& path) override;
  void F1Click(QMenu* menu) override;
  void SetModuleLoader(std::function<void(const QString& path)> loader) override;

  // Loads a program file as the Compile menu's load command does.
  void LoadProgram(const QString& path);
  TMainFormCommands& Commands() const { return *OwnCommands; }

  // What the view windows get from the frame.
  TViewContext ViewContext();
  void SoftTestClick(int entry);
  void HardTestClick(int entry);
  void HistoryMenuClick(int index);
  void W1Click();

  // Runs every update handler; the frame does so whenever the program goes idle.
  void RunUpdateHandlers();

  QMdiArea* MdiArea() const { return Mdi; }
  QMenu* Menu(const QString& name) const { return Menus.value(name); }
  QToolBar* MainToolBar() const { return Tools; }
  QProgressBar* GaugeCompile() const { return Gauge; }
  QLabel* StatusPanel(int panel) const;
  const FileHistory& History() const { return HistoryFiles; }
  // The open child window of a view kind; null when it is closed.
  QMdiSubWindow* ViewWindow(int kind) const;
  std::vector<TSourceEditor*> SourceEditors() const;
  // The child windows in the order they were created, without those closed a moment ago.
  QList<QMdiSubWindow*> Children() const;

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void CreateActions();
  void CreateMenus();
  void CreateExperimentMenus(QMenu* debugMenu);
  void CreateToolBar();
  void CreateStatusBar();
  void ConnectCommands();
  void AddOwnUpdateHandlers();
  void ApplyMainBounds();
  void RebuildMenuBar();
  QMdiSubWindow* AddChild(QWidget* widget);
  TBounds& ViewBounds(int kind);
  void RestoreViews();
  void LoadFileHistory();
  void SaveFileHistory();
  void Tile(Qt::Orientation orientation);
  void CloseAllChildren();
  void StartOscilla();

  Workbench& WB;
  QtUserInterface& UI;
  QMdiArea* Mdi = nullptr;
  QToolBar* Tools = nullptr;
  QProgressBar* Gauge = nullptr;
  QAction* GaugeAction = nullptr;
  std::array<QLabel*, 4> Panels{};
  QHash<QString, QAction*> Actions;
  QHash<QString, QMenu*> Menus;
  std::vector<QMenu*> MenuOrder;
  std::vector<std::function<void()>> UpdateHandlers;
  std::array<std::function<QWidget*()>, ViewKinds> ViewFactories;
  std::array<QPointer<QMdiSubWindow>, ViewKinds> ViewWindows;
  std::function<TSourceEditor*()> EditorFactory;
  std::function<void(const QString&)> ModuleLoader;
  TMainFormCommands* OwnCommands = nullptr;
  std::vector<std::unique_ptr<QObject>> Parts; // what AttachParts hooked in
  FileHistory HistoryFiles;
  bool Shown = false;
  bool Updating = false;
  bool HeldRunCommands = false; // disabled while a run is in progress
};
