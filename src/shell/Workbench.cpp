#include "Workbench.h"

Workbench::Workbench(UserInterface& ui, const std::filesystem::path& startDir)
    : UI(ui), Option(CPU, PrevCPU, startDir) {
  CPU.UI = &ui;
  CPU.Link = &Port;
  Port.Hooks.AutoStepping = [this] { return AutoStepping; };
  Port.Hooks.SetAutoStepping = [this](bool value) { SetAutoStepping(value); };
}
