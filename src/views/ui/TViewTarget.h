#pragma once

#include "ViewTarget.h"
#include "Workbench.h"

// The parts of the workbench a view's state works on.
inline ViewTarget TargetOf(Workbench& wb) {
  return {wb.CPU, wb.PrevCPU, wb.Port, wb.Views.Disassembly};
}
