#include "Workbench.h"

Workbench::Workbench(UserInterface& ui) : UI(ui) {
  CPU.UI = &ui;
}
