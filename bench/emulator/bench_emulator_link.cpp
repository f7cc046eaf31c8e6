// The link against ice-sim on a pseudo-terminal: reading all of program
// memory, and what waiting for a running target costs the workbench.
#include "IceSimProcess.h"
#include "ScriptedUI.h"
#include "TCPU.h"
#include "TCodeValidMap.h"
#include "TOmf.h"
#include "TOptionBlock.h"
#include "TPort.h"
#include "TempDir.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace {

struct Link {
  explicit Link(const std::vector<std::string>& options = {})
      : Sim(options, Dir.Path / "frames.log") {
    CPU.LoadDefaultRegisters();
    Port.Open(Sim.DevicePath);
  }
  TempDir Dir;
  IceSimProcess Sim;
  TCPU CPU;
  TCodeValidMap CodeValid;
  TOptionBlock Option;
  ScriptedUI UI;
  TOmf DebugInfo{CPU, UI};
  TPort Port{CPU, CodeValid, Option, DebugInfo, UI};
};

void ReadAllProgramMemory(benchmark::State& state) {
  Link link;
  if (!link.Port.IsOpen()) state.SkipWithError("ice-sim did not start");
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(link.Port.ReadCode(0x0000, 0x10000));
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double blocks = 0x10000 / TPort::BlockSize * static_cast<double>(state.iterations());
  state.counters["us_per_block"] = seconds / blocks * 1e6;
}
BENCHMARK(ReadAllProgramMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

// A run of SJMP $ for one second, stopped from the event pump: the share of
// a core the workbench spends waiting.
void WaitWhileTheTargetRuns(benchmark::State& state) {
  Link link;
  link.CPU.Code[0] = 0x80; // SJMP $
  link.CPU.Code[1] = 0xFE;
  link.Port.WriteCode(0, 2);
  double share = 0;
  for (auto _ : state) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    link.UI.OnPump = [&] {
      if (std::chrono::steady_clock::now() >= end) link.Port.Stop();
    };
    const std::clock_t cpuStart = std::clock();
    const auto wallStart = std::chrono::steady_clock::now();
    link.Port.Run();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    share = cpu / wall;
    link.CPU.PC = 0;
  }
  state.counters["core_share_percent"] = share * 100;
}
BENCHMARK(WaitWhileTheTargetRuns)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
