#pragma once

#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;
class TSourceEditor;

// What the main window offers the parts that attach to it: the debug commands, the build
// driver and the views find their actions by name, add update handlers that run when the
// program is idle, and register the windows that ShowView creates.
class TActionHost {
public:
  virtual ~TActionHost() = default;
  // The action of that name (ADebugRun, ACompileLinkLoad, ...); null when there is none.
  virtual QAction* Action(const QString& name) const = 0;
  virtual void AddUpdateHandler(std::function<void()> handler) = 0;
  // Kinds 0 register, 1 memory 1, 2 memory 2, 3 disassembly, 4 stack, 5 variable,
  // 6 build messages. The factory creates the window's widget (or a QMdiSubWindow); the frame
  // puts it into a child window, gives it the kind's bounds from the settings and stores them
  // back there while it moves (not while minimised or maximised).
  virtual void SetViewFactory(int kind, std::function<QWidget*()> factory) = 0;
  // Opens the view of that kind, or brings it forward; null for an unknown kind.
  virtual QWidget* ShowView(int kind) = 0;
  // Status-bar panels 0 to 3.
  virtual void SetStatusText(int panel, const QString& text) = 0;

  // The source editors of File/New, File/Open and the history. The editor is a QWidget; the
  // frame puts it into a child window at the platform's default place.
  virtual void SetEditorFactory(std::function<TSourceEditor*()> factory) = 0;
  // Brings forward the editor of exactly this path, or opens the file in a new one.
  virtual void OpenSourceFile(const QString& path) = 0;
  virtual void AddHistoryFile(const QString& path) = 0;
  // The File menu opening, also the editor's own File menu: the entries after its history
  // marker (a separator whose data is 12345) become the history, newest first.
  virtual void F1Click(QMenu* menu) = 0;
  // The Compile menu's load command for a named program file; `workbench FILE` loads through it.
  virtual void SetModuleLoader(std::function<void(const QString& path)> loader) = 0;
};
