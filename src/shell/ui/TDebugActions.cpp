#include "TDebugActions.h"

#include "TActionHost.h"
#include "TDlgBrowseBreakPoint.h"
#include "TWinDebug.h"
#include "Workbench.h"

#include <QAction>

TDebugActions::TDebugActions(TActionHost& host, TViewContext context, QWidget* dialogParent)
    : Debug(context.WB), DlgBrowseBreakPoint(new TDlgBrowseBreakPoint(context.WB.DebugInfo,
                                                                      context.WB.UI, dialogParent)),
      Host(host), Context(std::move(context)) {
  On("ADebugRun", &DebugCommands::Run);
  On("ADebugRunToAddress", &DebugCommands::RunToAddress);
  On("ADebugRunToCursor", &DebugCommands::RunToCursor);
  On("ADebugStep", &DebugCommands::Step);
  On("ADebugStepOver", &DebugCommands::StepOver);
  On("ADebugAutoStep", &DebugCommands::AutoStep);
  On("ADebugAutoStepOver", &DebugCommands::AutoStepOver);
  On("ADebugReset", &DebugCommands::Reset);
  On("ADebugResetRun", &DebugCommands::ResetRun);
  On("ADebugStop", &DebugCommands::Stop);
  On("ADebugHalt", &DebugCommands::Halt);
  On("ADebugSetPC", &DebugCommands::SetPC);
  On("ADebugSetCurPC", &DebugCommands::SetCurPC);
  On("ADebugClearAllBreakPoint", &DebugCommands::ClearAllBreakPoints);
  On("AOptionReConnect", &DebugCommands::ReConnect);
  On("ADebugSetClearBreakPoint", [this] {
    if (DisassemblyView* view = Context.WB.Views.Disassembly) view->ToggleBreakpointAtCursor();
  });
  On("ADebugBrowseBreakPoint", [this] { ADebugBrowseBreakPointExecute(); });
  if (QAction* action = Host.Action("ADebugUseInterrupt"))
    connect(action, &QAction::triggered, this,
            [this](bool checked) { Context.WB.UseInterrupt = checked; });
  Host.AddUpdateHandler([this] { Update(); });
  Host.SetViewFactory(DisassemblyKind, [context = Context] { return new TWinDebug(context); });
}

TDebugActions::~TDebugActions() = default;

void TDebugActions::On(const char* name, void (DebugCommands::*command)()) {
  On(name, [this, command] { (Debug.*command)(); });
}

void TDebugActions::On(const char* name, std::function<void()> handler) {
  if (QAction* action = Host.Action(name))
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void TDebugActions::ADebugBrowseBreakPointExecute() {
  if (!DlgBrowseBreakPoint->Browse(Context.WB.BreakPoints)) return;
  if (DisassemblyView* view = Context.WB.Views.Disassembly) view->RepaintGutter();
}

void TDebugActions::Update() {
  auto set = [this](const char* name, bool enabled) {
    if (QAction* action = Host.Action(name)) action->setEnabled(enabled);
  };
  const bool cursor = Debug.CursorKnown();
  for (const char* name : {"ADebugRunToCursor", "ADebugSetCurPC", "ADebugSetClearBreakPoint"})
    set(name, cursor);
  if (QAction* action = Host.Action("ADebugSetCurPC"))
    action->setText(QString::fromStdString(Debug.SetCurPCCaption()));
  const bool stepOver = Debug.StepOverOffered();
  set("ADebugStepOver", stepOver);
  set("ADebugAutoStepOver", stepOver);
  set("ADebugStop", Debug.StopEnabled());
  set("ADebugClearAllBreakPoint", Debug.ClearAllBreakPointsEnabled());
  if (QAction* action = Host.Action("ADebugUseInterrupt"))
    action->setChecked(Context.WB.UseInterrupt);
}
