// The scope's data path at Oscilla's start-up settings: 445000 samples per
// second, 1 ms per division (4451-sample sweeps), AC coupling, automatic trigger.
#include "TiScope.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

std::unique_ptr<TiScope> StartUpScope() {
  auto scope = std::make_unique<TiScope>();
  scope->SamplesPerSecond = 445000;
  scope->ChannelAt(0).SetVoltsPerDivision(2.0);
  return scope;
}

// One frame of a 1 kHz sine in volts, continuing from sample `first`.
void AddFrame(TiScope& scope, long first) {
  for (long i = first; i < first + 1024; ++i)
    scope.AddBlockValue(0, (128 + 100 * std::sin(2 * std::numbers::pi * i / 445.0)) / 35.0);
}

// Every block of a running stream: most only store, about one in four draws.
void BM_EndBlockOfAStream(benchmark::State& state) {
  auto scope = StartUpScope();
  long next = 0;
  for (auto _ : state) {
    state.PauseTiming();
    scope->BeginBlock();
    AddFrame(*scope, next);
    next += 1024;
    state.ResumeTiming();
    scope->EndBlock();
  }
}
BENCHMARK(BM_EndBlockOfAStream)->Unit(benchmark::kMicrosecond);

// The block that completes a sweep: the trigger search and 4451 points drawn.
void BM_ProcessSweepsThatDraws(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto scope = StartUpScope();
    for (int frame = 0; frame < 5; ++frame) {
      scope->BeginBlock();
      AddFrame(*scope, frame * 1024L);
      if (frame < 4) scope->EndBlock();
    }
    state.ResumeTiming();
    scope->EndBlock();
    benchmark::DoNotOptimize(scope->ChannelAt(0).Trace.Values.data());
    state.PauseTiming();
    if (scope->ChannelAt(0).Trace.Values.size() != 4451) state.SkipWithError("no sweep drawn");
    scope.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProcessSweepsThatDraws)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
