#include "../platform/TempDir.h"
#include "Workbench.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class FakeMemory : public MemoryView {
public:
  FakeMemory(Log& log, std::string name, int space) : L(log), Name(std::move(name)), S(space) {}
  int Space() const override { return S; }
  void LoadFromTarget() override { L.push_back(Name + ".load"); }
  void ShowChanges() override { L.push_back(Name + ".changes"); }
  Log& L;
  std::string Name;
  int S;
};

class FakeList : public TargetView {
public:
  FakeList(Log& log, std::string name) : L(log), Name(std::move(name)) {}
  void LoadFromTarget() override { L.push_back(Name + ".load"); }
  void RepaintView() override { L.push_back(Name + ".repaint"); }
  Log& L;
  std::string Name;
};

class FakeRegisters : public RegisterView {
public:
  explicit FakeRegisters(Log& log) : L(log) {}
  void LoadFromTarget() override { L.push_back("reg.load"); }
  void UpdateCells() override { L.push_back("reg.cells"); }
  Log& L;
};

// Showing an address in source mode falls back to disassembly when SwitchAt matches.
class FakeDisassembly : public DisassemblyView {
public:
  explicit FakeDisassembly(Log& log) : L(log) {}
  int Mode() const override { return M; }
  void SetMode(int mode) override { M = mode; }
  const TDefModuleInfo* CurModule() const override { return nullptr; }
  void SetCurModule(const TDefModuleInfo*) override {}
  int32_t CursorAddress() const override { return -1; }
  void ShowAddress(uint16_t address) override {
    L.push_back("dis.show " + std::to_string(address));
    if (address == SwitchAt) M = 2;
  }
  void ToggleBreakpointAtCursor() override {}
  void RepaintGutter() override { L.push_back("dis.gutter"); }
  void RepaintCodePane() override { L.push_back("dis.code"); }
  void ResetView() override { L.push_back("dis.reset"); }
  void LoadFromTarget() override {}
  Log& L;
  int M = 0;
  int SwitchAt = -1;
};

struct ViewSetFixture : ::testing::Test {
  SilentUserInterface ui;
  TempDir dir;
  std::unique_ptr<Workbench> wb = std::make_unique<Workbench>(ui, dir.Path);
  Log log;
};

} // namespace

TEST_F(ViewSetFixture, RefreshReachesTheOpenViewsInTheirOrder) {
  FakeMemory code(log, "m1", 0), xdata(log, "m2", 1);
  FakeList stack(log, "stack"), variable(log, "var");
  FakeRegisters registers(log);
  FakeDisassembly disassembly(log);
  ViewSlot<MemoryView> s1(wb->Views.Memory1, &code), s2(wb->Views.Memory2, &xdata);
  ViewSlot<TargetView> s3(wb->Views.Stack, &stack), s4(wb->Views.Variable, &variable);
  ViewSlot<RegisterView> s5(wb->Views.Register, &registers);
  ViewSlot<DisassemblyView> s6(wb->Views.Disassembly, &disassembly);
  wb->CPU.PC = 0x30;
  wb->Refresh();
  // Program memory is not reloaded; the PC is shown between reload and repaint.
  EXPECT_EQ(log, (Log{"m2.load", "stack.load", "var.load", "reg.load", "dis.gutter", "dis.show 48",
                      "dis.gutter", "reg.cells", "m1.changes", "m2.changes", "dis.gutter",
                      "stack.repaint", "var.repaint"}));
}

TEST_F(ViewSetFixture, ShowPcShowsAgainWhenTheModeChanged) {
  FakeDisassembly disassembly(log);
  disassembly.SwitchAt = 0x100;
  ViewSlot<DisassemblyView> slot(wb->Views.Disassembly, &disassembly);
  wb->CPU.PC = 0x100;
  wb->ShowPC();
  EXPECT_EQ(log, (Log{"dis.gutter", "dis.show 256", "dis.code", "dis.show 256", "dis.gutter"}));
}

TEST_F(ViewSetFixture, ClosedViewsLeaveTheirSlotsAndHooksReachOnlyOpenOnes) {
  {
    FakeDisassembly disassembly(log);
    FakeMemory code(log, "m1", 0);
    ViewSlot<DisassemblyView> s1(wb->Views.Disassembly, &disassembly);
    ViewSlot<MemoryView> s2(wb->Views.Memory1, &code);
    wb->Port.ResetTarget(); // no port: the simulated reset, no hooks
    wb->DebugInfo.LoadFile((dir.Path / "missing.hex").string());
    wb->Port.Hooks.RepaintCodePane();
    wb->Port.Hooks.ReloadProgramMemoryViews();
  }
  EXPECT_EQ(log, (Log{"dis.reset", "dis.code", "m1.load"}));
  EXPECT_EQ(wb->Views.Disassembly, nullptr);
  EXPECT_EQ(wb->Views.Memory1, nullptr);
  log.clear();
  wb->Refresh();
  wb->Port.Hooks.RepaintCodePane();
  EXPECT_TRUE(log.empty());
}

TEST_F(ViewSetFixture, AutoSteppingChangesReachTheUserInterfaceOnce) {
  struct Counting : SilentUserInterface {
    std::vector<bool> Changes;
    void AutoSteppingChanged(bool value) override { Changes.push_back(value); }
  } counting;
  Workbench w(counting, dir.Path);
  w.SetAutoStepping(true);
  w.SetAutoStepping(true);
  w.SetAutoStepping(false);
  EXPECT_EQ(counting.Changes, (std::vector<bool>{true, false}));
}
