// Drawing a 4451-point sweep on the 888 x 416 scope of Oscilla's window.
#include "TiPlotWidget.h"
#include "TiScopeControl.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

// A scope with its last sweep drawn: grid, trace, reference line, readouts.
struct DrawnScope {
  DrawnScope() {
    control.resize(888, 416);
    TiScope& scope = control.Scope();
    scope.SamplesPerSecond = 445000;
    scope.ChannelAt(0).SetVoltsPerDivision(2.0);
    scope.Display.TextShow = true;
    scope.BeginBlock();
    for (int i = 0; i < 5120; ++i)
      scope.AddBlockValue(0, (128 + 100 * std::sin(2 * std::numbers::pi * i / 445.0)) / 35.0);
    scope.EndBlock();
  }
  TiScopeControl control;
};

void BM_DrawSweepOnThePlotSurface(benchmark::State& state) {
  DrawnScope s;
  if (s.control.Scope().ChannelAt(0).Trace.Values.size() != 4451) state.SkipWithError("no sweep");
  TiPlotWidget* plot = s.control.Plot;
  QImage image(plot->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    plot->Render(p, image.rect());
  }
}
BENCHMARK(BM_DrawSweepOnThePlotSurface)->Unit(benchmark::kMicrosecond);

void BM_DrawTheWholeScope(benchmark::State& state) {
  DrawnScope s;
  QImage image(s.control.size(), QImage::Format_RGB32);
  for (auto _ : state)
    s.control.render(&image);
}
BENCHMARK(BM_DrawTheWholeScope)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(glyphs);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
