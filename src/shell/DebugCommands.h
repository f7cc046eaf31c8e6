#pragma once

#include "TSimulator.h"

#include <cstdint>
#include <string>

class TDefModuleInfo;
class TLongIntList;
class Workbench;

// The Debug menu's commands: run, step and stop the target through the emulator link (the
// simulator when no port is open), each followed by the refresh cycle that reaches every open
// view. The main window's actions, workbench-cli and the tests all drive the target through
// here. The disassembly window is looked up in the view set afresh after every call that may
// pump events, since it can close meanwhile.
class DebugCommands {
public:
  explicit DebugCommands(Workbench& workbench);

  // Enabling rules of the actions.
  // The disassembly window is open and its cursor row has code (run to cursor, PC = cursor,
  // set or clear breakpoint).
  bool CursorKnown() const;
  // Step over is not offered in the source view of an assembler module.
  bool StepOverOffered() const;
  bool StopEnabled() const;
  bool ClearAllBreakPointsEnabled() const;
  // "PC = 0123H" for the cursor row's address, "PC = 当前地址" without one.
  std::string SetCurPCCaption() const;

  void Run();
  // Asks for the address, offering the code labels and the last address asked for.
  void RunToAddress();
  void RunToCursor();
  // Snapshot, download breaks, run, refresh. Returns the instructions executed (simulator).
  uint64_t RunWith(const TLongIntList& breaks, uint64_t maxInstructions = TSimulator::NoLimit);
  // A line step in the source view with ADebugUseInterrupt, else one instruction.
  void Step();
  // Over calls at line level in the source view with ADebugUseInterrupt, else over ACALL and
  // LCALL.
  void StepOver();
  // The line-level commands whatever the windows show (workbench-cli's line commands).
  void StepLine();
  void StepLineOver();
  // Step or step over in full, again and again, until Stop or Halt.
  void AutoStep();
  void AutoStepOver();
  // Ends a run or an auto-step loop; in the source view the PC goes back to its line start.
  void Stop();
  void Halt();
  // Resets the target; the disassembly window keeps its display mode.
  void Reset();
  // Resets and runs until stopped.
  void ResetRun();
  // Asks for the new PC.
  void SetPC();
  void SetCurPC();
  // The experiment entries: the PC to an entry address.
  void SetPCTo(uint16_t address);
  void ClearAllBreakPoints();

  // The connection commands, after their dialogs were confirmed.
  // The emulator mode changed: reconnect and upload the monitor again.
  void EmulatorModeChanged();
  // The port choice was confirmed; previousPort is the index before the dialog.
  void CommPortSelected(int previousPort);
  void ReConnect();

  // Whether the code from pc up to the next line start of the module (or rangeLast) holds an
  // ACALL or LCALL.
  bool LineHasCall(const TDefModuleInfo& module, uint16_t pc, uint16_t rangeLast) const;

private:
  bool SourceLevel() const;
  void StepAt(bool lineLevel);
  void StepOverAt(bool lineLevel);
  // Download and run; the breakpoints are the command's own.
  void RunBreaks(const TLongIntList& breaks);
  void AutoStepLoop(void (DebugCommands::*step)());
  void MovePCToLineStart();

  Workbench& WB;
  uint16_t RunToAddressValue = 0; // the run-to-address dialog's previous value
};
