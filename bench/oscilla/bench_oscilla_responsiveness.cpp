// How many steps a held spin button takes in two seconds, with Oscilla idle and
// with it sampling a sampler-sim on a pseudo-terminal. The pause between frames
// waits on a timer, so both counts should agree (the "ratio" counter near 1).
#include "../../tests/platform/DeviceProcess.h"
#include "TiScopeControl.h"
#include "TiScopePanelTimeBase.h"
#include "TiSpinSelector.h"
#include "Tmainform.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int HeldMs = 2000;

// Holds the up button of the time base's "Position" (50 ms repeat) and counts the
// items it steps through.
int StepsWhileHeld(Tmainform& form) {
  TiSpinSelector* selector = form.iScope1->TimeBasePanel->Position;
  selector->SetValue(-50.0);
  QToolButton* up = selector->findChildren<QToolButton*>().front();
  int steps = 0;
  const auto counting =
      QObject::connect(selector, &TiSpinSelector::ItemChosen, [&](double) { ++steps; });
  QTest::mousePress(up, Qt::LeftButton);
  QEventLoop held;
  QTimer::singleShot(HeldMs, &held, &QEventLoop::quit);
  held.exec();
  QTest::mouseRelease(up, Qt::LeftButton);
  QObject::disconnect(counting);
  return steps;
}

void BM_HeldSpinButtonWhileSampling(benchmark::State& state) {
  DeviceProcess sim({SAMPLER_SIM_PATH});
  if (sim.DevicePath.empty()) {
    state.SkipWithError("sampler-sim did not start");
    return;
  }
  setenv("CORVEL_COM1", sim.DevicePath.c_str(), 1);
  Tmainform form;
  form.FormCreate();
  form.show();
  int idle = 0, sampling = 0;
  for (auto _ : state) {
    idle = StepsWhileHeld(form);
    QTest::mouseClick(form.bb_sample, Qt::LeftButton);
    sampling = StepsWhileHeld(form);
    QTest::mouseClick(form.bb_stop, Qt::LeftButton);
  }
  unsetenv("CORVEL_COM1");
  state.counters["steps_idle"] = idle;
  state.counters["steps_sampling"] = sampling;
  state.counters["ratio"] = idle > 0 ? double(sampling) / idle : 0;
}
BENCHMARK(BM_HeldSpinButtonWhileSampling)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(glyphs);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
