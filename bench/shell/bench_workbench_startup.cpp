// The workbench's start-up, in two parts that add up to "process start to main window shown":
// starting the program up to its QApplication (the libraries loaded; a wrong argument ends it
// there), and building and showing the main window with the port question skipped, as after
// Cancel. The second also reports the resident memory of the idle window.
#include "../../tests/platform/TempDir.h"
#include "QtUserInterface.h"
#include "TMainForm.h"
#include "Workbench.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_ProgramStartsItsApplication(benchmark::State& state) {
  char program[] = WORKBENCH_PATH;
  char option[] = "--no-such-option";
  char* argv[] = {program, option, nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start the workbench");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }
}
BENCHMARK(BM_ProgramStartsItsApplication)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MainWindowShown(benchmark::State& state) {
  TempDir dir;
  setenv("XDG_CONFIG_HOME", (dir.Path / "config").c_str(), 1);
  for (auto _ : state) {
    QtUserInterface ui;
    Workbench wb(ui, dir.Path);
    TMainForm form(wb, ui);
    form.AttachParts();
    form.show();
    QApplication::processEvents();
    state.PauseTiming();
    state.counters["resident_MB"] = ResidentMegabytes();
    form.close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(workbench);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
