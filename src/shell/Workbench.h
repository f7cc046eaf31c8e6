#pragma once

#include "TCPU.h"
#include "TCodeValidMap.h"
#include "TOmf.h"
#include "UserInterface.h"

// Owns the program-wide instances: the main window, workbench-cli or a test
// holds one and passes its parts by reference. Nothing here is global, so a
// test can hold two workbenches at once.
class Workbench {
public:
  explicit Workbench(UserInterface& ui);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  UserInterface& UI;
  TCPU CPU;     // the current target state
  TCPU PrevCPU; // the state before the last run-type command
  TCodeValidMap CodeValid;
  TOmf DebugInfo{CPU, UI}; // the loaded program's debug information

  void TakeSnapshot() { ::TakeSnapshot(CPU, PrevCPU); }
};
