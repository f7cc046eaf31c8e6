// The refresh after a single step on the simulator with both memory windows (internal RAM and
// external data), the register window and the variable window (three watches) open, painting
// included; and ShowChanges alone after a step that changed three bytes.
#include "TDlgRegistorMange.h"
#include "TWinMemory.h"
#include "TWinRegist.h"
#include "TWinVariable.h"
#include "Workbench.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

// A loop that counts R0 down and writes it to internal and external RAM:
//   LOOP: INC A; MOV @R0,A; MOVX @DPTR,A; INC DPTR; DJNZ R0,LOOP ... AJMP 0
constexpr uint8_t Program[] = {0x78, 0x40, 0x90, 0x00, 0x00, 0x04, 0xF6,
                               0xF0, 0xA3, 0xD8, 0xFA, 0x01, 0x00};

struct OpenViews {
  SilentUserInterface UI;
  std::filesystem::path Dir = std::filesystem::temp_directory_path();
  Workbench WB{UI, Dir};
  TViewContext Context{WB, {}, {}, {}};
  QMdiArea Area;
  TDlgRegistorMange Manager;
  TWinMemory* Memory1 = new TWinMemory(Context, 1);
  TWinMemory* Memory2 = new TWinMemory(Context, 2);
  TWinRegist* Registers = new TWinRegist(Context, Manager, nullptr);
  TWinVariable* Variables = new TWinVariable(Context);

  OpenViews() {
    std::copy(std::begin(Program), std::end(Program), WB.CPU.Code.begin());
    Area.resize(1200, 900);
    for (QWidget* view : {static_cast<QWidget*>(Memory1), static_cast<QWidget*>(Memory2),
                          static_cast<QWidget*>(Registers), static_cast<QWidget*>(Variables)})
      Area.addSubWindow(view)->resize(560, 330);
    Area.show();
    Memory1->ActionInCPU->trigger();
    Memory2->ActionRAM->trigger();
    for (const char* name : {"count", "limit", "total"})
      Variables->Watches().Add(name);
    QApplication::processEvents();
  }
  void Step() {
    WB.TakeSnapshot();
    WB.CPU.ExecuteInstruction();
  }
};

void BM_RefreshAfterAStepWithFourViewsOpen(benchmark::State& state) {
  OpenViews views;
  for (auto _ : state) {
    views.Step();
    views.WB.Refresh();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_RefreshAfterAStepWithFourViewsOpen)->Unit(benchmark::kMicrosecond);

void BM_ShowChangesAfterThreeChangedBytes(benchmark::State& state) {
  OpenViews views;
  TCPU& cpu = views.WB.CPU;
  for (auto _ : state) {
    views.WB.TakeSnapshot();
    for (int a : {0x03, 0x14, 0x25})
      ++cpu.IRam[a];
    views.Memory1->ShowChanges();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ShowChangesAfterThreeChangedBytes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
