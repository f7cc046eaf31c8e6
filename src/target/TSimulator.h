#pragma once

#include "TBreakpointMap.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>

class TCPU;
class UserInterface;

// Runs and steps the target on the built-in simulator. The emulator link
// calls Run and Step when no port is open; the target is then the CPU's own
// images.
class TSimulator {
public:
  // autoStepping reads the shell's auto-stepping flag; an empty one reads false.
  TSimulator(TCPU& cpu, UserInterface& ui, std::function<bool()> autoStepping = {});

  static constexpr uint64_t NoLimit = std::numeric_limits<uint64_t>::max();

  // Sets cpu.Running, then executes while Running or the auto-stepping flag is
  // set. After every instruction the PC is tested against
  // cpu.ActiveBreakpoints and the run ends on a match, so a run that starts on
  // a breakpoint executes that instruction and goes on. Every PumpInterval
  // the UI's PumpEvents lets pending events in; a Stop among them clears the
  // flags, and the run ends right after the instruction in progress. Commands
  // nested in the pump may change the PC, memory or the breakpoints; the run
  // goes on from what they left. Clears Running at the end and returns the
  // number of instructions executed, which never exceeds maxInstructions.
  uint64_t Run(uint64_t maxInstructions = NoLimit);

  // One instruction between cpu.SetRunning(true) and cpu.SetRunning(false).
  void Step();

  // How often a run lets pending events in: often enough for a responsive
  // window, rarely enough to cost the run nothing.
  std::chrono::nanoseconds PumpInterval = std::chrono::milliseconds(5);

private:
  // Instructions between two looks at the clock: a look costs about as much
  // as ten instructions, and a batch lasts microseconds.
  static constexpr uint32_t InstructionsPerClockCheck = 4096;

  bool KeepRunning() const;

  TCPU& CPU;
  UserInterface& UI;
  std::function<bool()> AutoStepping;
  TBreakpointMap Breaks;
};
