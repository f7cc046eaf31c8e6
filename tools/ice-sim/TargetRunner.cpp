#include "TargetRunner.h"

#include <algorithm>
#include <chrono>

TargetRunner::TargetRunner(uint64_t instructionsPerSecond)
    : InstructionsPerSecond(instructionsPerSecond) {
  Reset();
}

TargetRunner::~TargetRunner() {
  Break();
}

void TargetRunner::Start(bool singleStep) {
  Break();
  std::lock_guard<std::mutex> guard(Lock);
  if (singleStep) {
    CPU.ExecuteInstruction();
    return;
  }
  Breaks.Sync(Breakpoints);
  StopRequested = false;
  Active = true;
  Thread = std::thread(&TargetRunner::Loop, this);
}

void TargetRunner::Break() {
  StopRequested = true;
  Wake.notify_all();
  if (Thread.joinable()) Thread.join();
  Active = false;
}

void TargetRunner::Loop() {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const uint64_t ips = InstructionsPerSecond;
  // About a millisecond of work per batch when paced.
  const auto batch = static_cast<uint32_t>(ips == 0 ? 4096 : std::max<uint64_t>(1, ips / 1000));
  uint64_t executed = 0;
  std::unique_lock<std::mutex> lock(Lock);
  while (!StopRequested) {
    executed += CPU.ExecuteUntilBreakpoint(Breaks, batch);
    if (Breaks.Contains(CPU.PC)) break;
    if (ips == 0) {
      lock.unlock();
      std::this_thread::yield();
      lock.lock();
      continue;
    }
    const auto due = start + std::chrono::microseconds(executed * 1000000 / ips);
    Wake.wait_until(lock, due, [this] { return StopRequested.load(); });
  }
  Active = false;
}

void TargetRunner::SetBreakpoint(uint16_t address, bool set) {
  std::lock_guard<std::mutex> guard(Lock);
  const int32_t index = Breakpoints.IndexOf(address);
  if (set && index < 0) Breakpoints.Add(address);
  if (!set && index >= 0) Breakpoints.Delete(index);
}

void TargetRunner::Reset() {
  Break();
  std::lock_guard<std::mutex> guard(Lock);
  CPU.ResetSimulated(0x0000);
  for (uint8_t port : {SFR_P0, SFR_P1, SFR_P2, SFR_P3})
    CPU.SfrAt(port) = 0xFF;
  Breakpoints.Clear();
}
