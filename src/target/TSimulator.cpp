#include "TSimulator.h"

#include "TCPU.h"
#include "UserInterface.h"

#include <algorithm>
#include <utility>

TSimulator::TSimulator(TCPU& cpu, UserInterface& ui, std::function<bool()> autoStepping)
    : CPU(cpu), UI(ui), AutoStepping(std::move(autoStepping)) {}

bool TSimulator::KeepRunning() const {
  return CPU.Running || (AutoStepping && AutoStepping());
}

uint64_t TSimulator::Run(uint64_t maxInstructions) {
  using Clock = std::chrono::steady_clock;
  CPU.SetRunning(true);
  Breaks.Sync(CPU.ActiveBreakpoints);
  uint64_t executed = 0;
  Clock::time_point lastPump = Clock::now();
  // The flags change only inside PumpEvents, so testing them once per batch
  // ends the run after the same instruction as testing them after each one.
  while (KeepRunning() && executed < maxInstructions) {
    const uint64_t batch =
        std::min<uint64_t>(InstructionsPerClockCheck, maxInstructions - executed);
    executed += CPU.ExecuteUntilBreakpoint(Breaks, static_cast<uint32_t>(batch));
    if (Clock::now() - lastPump >= PumpInterval) {
      UI.PumpEvents();
      lastPump = Clock::now();
      Breaks.Sync(CPU.ActiveBreakpoints);
    }
    if (Breaks.Contains(CPU.PC)) break;
  }
  CPU.SetRunning(false);
  return executed;
}

void TSimulator::Step() {
  CPU.SetRunning(true);
  CPU.ExecuteInstruction();
  CPU.SetRunning(false);
}
