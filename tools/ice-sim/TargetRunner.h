#pragma once

#include "TBreakpointMap.h"
#include "TCPU.h"
#include "TLongIntList.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// The target CPU behind ice-sim: the project's own 8051 core, run on a thread
// of its own so the line is served while the user program runs.
class TargetRunner {
public:
  explicit TargetRunner(uint64_t instructionsPerSecond);
  ~TargetRunner();
  TargetRunner(const TargetRunner&) = delete;
  TargetRunner& operator=(const TargetRunner&) = delete;

  // Runs f on the CPU while no instruction executes.
  template <class F> auto WithCpu(F f) {
    std::lock_guard<std::mutex> guard(Lock);
    return f(CPU);
  }

  // A single step executes its one instruction before Start returns; a run
  // goes on until the PC reaches a breakpoint after an instruction, or Break.
  void Start(bool singleStep);
  void Break();
  bool Running() const { return Active; }

  void SetBreakpoint(uint16_t address, bool set);
  // The chip's reset: PC 0000H, SP 07H, ports FFH, other SFRs 0; no breakpoints.
  void Reset();

private:
  void Loop();

  const uint64_t InstructionsPerSecond;
  std::mutex Lock;
  std::condition_variable Wake;
  TCPU CPU;
  TLongIntList Breakpoints;
  TBreakpointMap Breaks;
  std::thread Thread;
  std::atomic<bool> Active{false};
  std::atomic<bool> StopRequested{false};
};
