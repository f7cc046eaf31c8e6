#include "Workbench.h"

Workbench::Workbench(UserInterface& ui, const std::filesystem::path& startDir)
    : UI(ui), StartDir(startDir), Option(CPU, PrevCPU, startDir) {
  CPU.UI = &ui;
  CPU.Link = &Port;
  // Every hook that reaches a view goes through the view set, so a closed view is never called.
  Port.Hooks.AutoStepping = [this] { return AutoStepping; };
  Port.Hooks.SetAutoStepping = [this](bool value) { SetAutoStepping(value); };
  Port.Hooks.RepaintCodePane = [this] { Views.RepaintCodePane(); };
  Port.Hooks.ReloadProgramMemoryViews = [this] { Views.ReloadProgramMemoryViews(); };
  // Every load starts a new program: the old breakpoints mean nothing in it.
  DebugInfo.ResetDisassembly = [this] {
    Views.ResetDisassembly();
    BreakPoints.Clear();
  };
  DebugInfo.Loaded = [this] {
    for (const auto& module : DebugInfo.Modules)
      if (module->SourceKind == stC) UseInterrupt = true;
  };
}

void Workbench::SetAutoStepping(bool value) {
  const bool changed = AutoStepping != value;
  AutoStepping = value;
  if (changed) UI.AutoSteppingChanged(value);
}
