// The debugger's speed as a student meets it: painting the disassembly pane, a step with its
// full refresh, auto step, and how soon Stop ends a run. The windows run on the offscreen
// platform; the target is the simulator.
#include "../../tests/shell/TwoModuleProgram.h"
#include "DebugCommands.h"
#include "TDlgRegistorMange.h"
#include "TWinDebug.h"
#include "TWinMemory.h"
#include "TWinRegist.h"
#include "TWinStack.h"
#include "TWinVariable.h"
#include "Workbench.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Lets the window's repaints and a Stop reach a running command.
class PumpingUI : public SilentUserInterface {
public:
  void PumpEvents() override {
    QApplication::processEvents();
    if (OnPump) OnPump();
  }
  std::function<void()> OnPump;
};

// A workbench with the two-module program loaded, every view open and the disassembly window
// 60 rows high.
struct DebugSession {
  DebugSession() {
    wb->DebugInfo.LoadFile(WriteTwoModuleProgram(dir));
    window = std::make_unique<TWinDebug>(context);
    views.emplace_back(new TWinRegist(context, manager, nullptr));
    views.emplace_back(new TWinMemory(context, 1));
    views.emplace_back(new TWinMemory(context, 2));
    views.emplace_back(new TWinStack(context));
    views.emplace_back(new TWinVariable(context));
    for (const auto& view : views)
      view->show();
    window->show();
    QApplication::processEvents();
    // The gutter 60 rows high, below it the horizontal scroll bar.
    window->resize(640, 60 * window->Rows().LineHeight + window->SBHScroll->height());
    QApplication::processEvents();
  }
  TempDir dir;
  PumpingUI ui;
  std::unique_ptr<Workbench> wb = std::make_unique<Workbench>(ui, dir.Path);
  TViewContext context{*wb, {}, {}, {}};
  TDlgRegistorMange manager;
  std::unique_ptr<TWinDebug> window;
  std::vector<std::unique_ptr<QWidget>> views;
  DebugCommands debug{*wb};
};

void BM_PaintDisassemblyPaneOf60Rows(benchmark::State& state) {
  DebugSession s;
  s.window->SetMode(static_cast<int>(state.range(0)));
  s.wb->CPU.PC = 0x0100;
  for (auto _ : state) {
    s.window->RepaintCodePane();
    s.window->PBDebug->repaint();
    s.window->PBInfo->repaint();
  }
  state.counters["rows"] = s.window->Rows().LastRow + 1;
}
BENCHMARK(BM_PaintDisassemblyPaneOf60Rows)
    ->ArgName("mode")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond);

void BM_StepWithFullRefresh(benchmark::State& state) {
  DebugSession s;
  s.window->SetMode(2);
  for (auto _ : state) {
    if (s.wb->CPU.PC == 0x0109) s.wb->CPU.PC = 0x0100;
    s.debug.Step();
    // Every view paints what the refresh changed.
    QApplication::processEvents();
  }
}
BENCHMARK(BM_StepWithFullRefresh)->Unit(benchmark::kMicrosecond);

// Steps a second while auto-stepping, every open view refreshed after each step.
void BM_AutoStep(benchmark::State& state) {
  DebugSession s;
  s.window->SetMode(2);
  int64_t steps = 0;
  for (auto _ : state) {
    int pumps = 0;
    s.ui.OnPump = [&] {
      if (s.wb->CPU.PC == 0x0109) s.wb->CPU.PC = 0x0100;
      if (++pumps > 200) s.debug.Stop();
    };
    const auto start = Clock::now();
    s.debug.AutoStep();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    steps += pumps - 1;
  }
  s.ui.OnPump = nullptr;
  state.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AutoStep)->UseManualTime()->Unit(benchmark::kMillisecond);

// From the Stop command to the end of the interrupted run, refresh included.
void BM_StopEndsARun(benchmark::State& state) {
  DebugSession s;
  s.wb->CPU.PC = 0x0109; // SJMP to itself: only Stop ends it
  for (auto _ : state) {
    Clock::time_point stopped;
    int pumps = 0;
    s.ui.OnPump = [&] {
      if (++pumps == 3) {
        stopped = Clock::now();
        s.debug.Stop();
      }
    };
    s.debug.Run();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - stopped).count());
  }
  s.ui.OnPump = nullptr;
}
// Each run lasts a few pump intervals; a fixed count keeps the program short.
BENCHMARK(BM_StopEndsARun)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
