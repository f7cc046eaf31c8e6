#include "Workbench.h"

Workbench::Workbench(UserInterface& ui, const std::filesystem::path& startDir)
    : UI(ui), Option(CPU, PrevCPU, startDir) {
  CPU.UI = &ui;
}
