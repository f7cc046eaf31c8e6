#pragma once

#include "DebugCommands.h"
#include "TViewContext.h"

#include <QObject>

class TActionHost;
class TDlgBrowseBreakPoint;
class QWidget;

// Hooks the frame's Debug-menu actions to the debug commands: each action's execute handler
// runs its command, one update handler keeps their enabled states, check marks and the
// PC = cursor caption, and the disassembly window is the frame's view of kind 3.
class TDebugActions : public QObject {
  Q_OBJECT
public:
  static constexpr int DisassemblyKind = 3;

  // dialogParent owns the breakpoint browser.
  TDebugActions(TActionHost& host, TViewContext context, QWidget* dialogParent);
  ~TDebugActions() override;

  DebugCommands Debug;
  TDlgBrowseBreakPoint* DlgBrowseBreakPoint;

  void ADebugBrowseBreakPointExecute();
  // Enabled states, check marks and captions of every action hooked here.
  void Update();

private:
  void On(const char* name, void (DebugCommands::*command)());
  void On(const char* name, std::function<void()> handler);

  TActionHost& Host;
  TViewContext Context;
};
