#pragma once

#include <QString>

#include <functional>

class QAction;
class QWidget;

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
  // 6 build messages. The factory creates the window's widget; the frame puts it into a
  // child window.
  virtual void SetViewFactory(int kind, std::function<QWidget*()> factory) = 0;
  virtual void ShowView(int kind) = 0;
  // Status-bar panels 0 to 3.
  virtual void SetStatusText(int panel, const QString& text) = 0;
};
