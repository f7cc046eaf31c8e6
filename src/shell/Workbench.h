#pragma once

#include "TCPU.h"
#include "TCodeValidMap.h"
#include "TLongIntList.h"
#include "TOmf.h"
#include "TOption.h"
#include "TPort.h"
#include "TProject.h"
#include "UserInterface.h"
#include "ViewSet.h"

#include <filesystem>

// Owns the program-wide instances: the main window, workbench-cli or a test
// holds one and passes its parts by reference. Nothing here is global, so a
// test can hold two workbenches at once.
class Workbench {
public:
  // startDir is where the settings file lives: the current directory when
  // the program starts.
  Workbench(UserInterface& ui, const std::filesystem::path& startDir);
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  UserInterface& UI;
  const std::filesystem::path StartDir; // the current directory at start; settings live here
  TCPU CPU;                             // the current target state
  TCPU PrevCPU;                         // the state before the last run-type command
  TCodeValidMap CodeValid;
  TOption Option;          // after both CPUs: loading it fills their register lists
  TProject Project;        // saved before the settings at exit
  TOmf DebugInfo{CPU, UI}; // the loaded program's debug information
  TPort Port{CPU, CodeValid, Option, DebugInfo, UI}; // the emulator link
  TLongIntList BreakPoints;  // the user's breakpoints, in the order they were set
  ViewSet Views;             // the open views; the refresh cycle reaches these
  bool AutoStepping = false; // an auto-step loop is running; written only by SetAutoStepping
  // Stepping in source mode runs to the next line start (ADebugUseInterrupt). Loading a
  // program with a C module sets it; only the user clears it.
  bool UseInterrupt = false;

  void SetAutoStepping(bool value);

  // The refresh cycle after a debug command.
  void ReloadViews() { Views.ReloadViews(Port); }
  void ShowPC() { Views.ShowPC(CPU.PC); }
  void RepaintViews() { Views.RepaintViews(); }
  void Refresh() {
    ReloadViews();
    ShowPC();
    RepaintViews();
  }

  void TakeSnapshot() { ::TakeSnapshot(CPU, PrevCPU); }
};
