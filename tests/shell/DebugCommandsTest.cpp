#include "DebugCommands.h"
#include "../emulator/IceSimProcess.h"
#include "../emulator/ScriptedUI.h"
#include "BreakPointRows.h"
#include "TwoModuleProgram.h"
#include "Workbench.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The disassembly window as the commands see it: a mode, a module and a cursor row. Showing
// an address in source mode that starts no line falls back to disassembly, as the window does.
class FakeDisassembly : public DisassemblyView {
public:
  explicit FakeDisassembly(const TOmf& info) : Info(info) {}
  int Mode() const override { return M; }
  void SetMode(int mode) override { M = mode; }
  const TDefModuleInfo* CurModule() const override { return Module; }
  void SetCurModule(const TDefModuleInfo* module) override { Module = module; }
  int32_t CursorAddress() const override { return Cursor; }
  void ShowAddress(uint16_t address) override {
    Shown.push_back(address);
    if (M == 0 && Info.LineAddrs.IndexOf(address) < 0) M = 2;
  }
  void ToggleBreakpointAtCursor() override {}
  void RepaintGutter() override { ++GutterPaints; }
  void RepaintCodePane() override {}
  void ResetView() override {}
  void LoadFromTarget() override {}

  const TOmf& Info;
  int M = 2;
  const TDefModuleInfo* Module = nullptr;
  int32_t Cursor = -1;
  std::vector<uint16_t> Shown;
  int GutterPaints = 0;
};

class DebugCommandsTest : public ::testing::Test {
protected:
  // Code bytes from address 0.
  void Code(const std::vector<uint8_t>& bytes, uint16_t at = 0) {
    std::copy(bytes.begin(), bytes.end(), WB->CPU.Code.begin() + at);
  }
  void LoadProgram() {
    ASSERT_EQ(WB->DebugInfo.LoadFile(WriteTwoModuleProgram(Dir)), 0);
    ASSERT_TRUE(UI.Messages.empty()) << UI.Messages.front();
  }
  // The disassembly window open in a mode on the first module.
  FakeDisassembly& OpenView(int mode) {
    View = std::make_unique<FakeDisassembly>(WB->DebugInfo);
    Slot = std::make_unique<ViewSlot<DisassemblyView>>(WB->Views.Disassembly, View.get());
    View->M = mode;
    if (!WB->DebugInfo.Modules.empty()) View->Module = WB->DebugInfo.Modules[0].get();
    return *View;
  }

  TempDir Dir;
  ScriptedUI UI;
  std::unique_ptr<Workbench> WB = std::make_unique<Workbench>(UI, Dir.Path);
  DebugCommands Debug{*WB};
  std::unique_ptr<FakeDisassembly> View;
  std::unique_ptr<ViewSlot<DisassemblyView>> Slot;
};

} // namespace

TEST_F(DebugCommandsTest, StepOverRunsAnAcallOfEveryPageOrAnLcallToItsReturnAddress) {
  for (int page = 0; page < 8; ++page) {
    const uint8_t acall = static_cast<uint8_t>(page << 5 | 0x11);
    SCOPED_TRACE(acall);
    WB->CPU.ResetSimulated(0);
    Code({acall, 0x10});                                         // ACALL page*100H + 10H
    Code({0x04, 0x22}, static_cast<uint16_t>(page << 8 | 0x10)); // INC A; RET
    Debug.StepOver();
    EXPECT_EQ(WB->CPU.PC, 2);
    EXPECT_EQ(WB->CPU.SfrAt(SFR_ACC), 1);
    EXPECT_EQ(WB->CPU.SfrAt(SFR_SP), 7);
  }
  WB->CPU.ResetSimulated(0);
  Code({0x12, 0x00, 0x10, 0x00}); // LCALL 0010H
  Code({0x04, 0x22}, 0x10);
  Debug.StepOver();
  EXPECT_EQ(WB->CPU.PC, 3);
  EXPECT_EQ(WB->CPU.SfrAt(SFR_ACC), 1);
  // Anything else is one instruction, also a call's own body.
  WB->CPU.PC = 0x10;
  Debug.StepOver();
  EXPECT_EQ(WB->CPU.PC, 0x11);
  EXPECT_EQ(WB->CPU.SfrAt(SFR_ACC), 2);
}

TEST_F(DebugCommandsTest, StepOverAnLcallAtTheTopOfMemoryStopsAtTheWrappedReturnAddress) {
  WB->CPU.ResetSimulated(0);
  Code({0x12, 0x00, 0x10}, 0xFFFE); // LCALL 0010H; returns to 0001H
  Code({0x22}, 0x10);
  WB->CPU.PC = 0xFFFE;
  Debug.StepOver();
  EXPECT_EQ(WB->CPU.PC, 0x0001);
}

TEST_F(DebugCommandsTest, EachCommandTakesASnapshotAndRefreshesTheOpenViews) {
  Code({0x04, 0x04, 0x04});
  FakeDisassembly& view = OpenView(2);
  Debug.Step();
  EXPECT_EQ(WB->CPU.PC, 1);
  EXPECT_EQ(WB->PrevCPU.PC, 0);
  EXPECT_EQ(WB->PrevCPU.SfrAt(SFR_ACC), 0);
  EXPECT_EQ(view.Shown, (std::vector<uint16_t>{1}));
  // Setting the PC shows it without a snapshot.
  Debug.SetPCTo(0x0002);
  EXPECT_EQ(WB->PrevCPU.PC, 0);
  EXPECT_EQ(view.Shown.back(), 2);
}

TEST_F(DebugCommandsTest, RunFromABreakpointExecutesBeforeStoppingThereAgain) {
  Code({0x04, 0x80, 0xFD}); // INC A; SJMP 0000H
  WB->BreakPoints.Add(0);
  Debug.Run();
  EXPECT_EQ(WB->CPU.PC, 0);
  EXPECT_EQ(WB->CPU.SfrAt(SFR_ACC), 1);
  Debug.Run();
  EXPECT_EQ(WB->CPU.SfrAt(SFR_ACC), 2);
}

TEST_F(DebugCommandsTest, RunToCursorAndToAddressIgnoreTheUserBreakpointsThatRunRestores) {
  // 0000 INC A; 0001 INC A; 0002 INC A; 0003 SJMP 0000H
  Code({0x04, 0x04, 0x04, 0x80, 0xFB});
  WB->BreakPoints.Add(1);
  FakeDisassembly& view = OpenView(2);
  view.Cursor = 3;
  Debug.RunToCursor();
  EXPECT_EQ(WB->CPU.PC, 3);
  EXPECT_EQ(WB->CPU.ActiveBreakpoints.Values(), (std::vector<int32_t>{3}));

  struct AddressUI : ScriptedUI {
    std::optional<uint16_t> AskAddress(uint16_t preset, bool labels) override {
      Presets.push_back(preset);
      EXPECT_TRUE(labels);
      return Answer;
    }
    std::optional<uint16_t> Answer;
    std::vector<uint16_t> Presets;
  };
  AddressUI ui;
  TempDir dir;
  Workbench wb(ui, dir.Path);
  DebugCommands debug(wb);
  std::copy_n(WB->CPU.Code.begin(), 5, wb.CPU.Code.begin());
  wb.BreakPoints.Add(1);
  ui.Answer = 2;
  debug.RunToAddress();
  EXPECT_EQ(wb.CPU.PC, 2);
  ui.Answer.reset(); // Cancel changes nothing
  debug.RunToAddress();
  EXPECT_EQ(wb.CPU.PC, 2);
  EXPECT_EQ(ui.Presets, (std::vector<uint16_t>{0, 2}));
  debug.Run();
  EXPECT_EQ(wb.CPU.PC, 1);
  EXPECT_EQ(wb.CPU.ActiveBreakpoints.Values(), (std::vector<int32_t>{1}));
}

TEST_F(DebugCommandsTest, LineStepsStopAtEveryLineStartAlsoInsideACall) {
  LoadProgram();
  EXPECT_TRUE(WB->UseInterrupt); // C modules
  OpenView(0);
  EXPECT_EQ(WB->CPU.PC, 0x0100);
  std::vector<uint16_t> stops;
  for (int i = 0; i < 5; ++i) {
    Debug.Step();
    stops.push_back(WB->CPU.PC);
  }
  EXPECT_EQ(stops, (std::vector<uint16_t>{0x0103, 0x0200, 0x0204, 0x0106, 0x0109}));
  // The last line loops on itself: a line step there still executes its jump.
  Debug.Step();
  EXPECT_EQ(WB->CPU.PC, 0x0109);
}

TEST_F(DebugCommandsTest, LineStepOverRunsACallingLineToTheNextLineOfItsFunction) {
  LoadProgram();
  const TDefModuleInfo& main = *WB->DebugInfo.Modules[0];
  EXPECT_FALSE(Debug.LineHasCall(main, 0x0100, 0x010A));
  EXPECT_TRUE(Debug.LineHasCall(main, 0x0103, 0x010A));
  EXPECT_FALSE(Debug.LineHasCall(main, 0x0106, 0x010A));
  OpenView(0);
  Debug.StepOver(); // no call in line 4: a line step
  EXPECT_EQ(WB->CPU.PC, 0x0103);
  Debug.StepOver(); // line 5 calls delay
  EXPECT_EQ(WB->CPU.PC, 0x0106);
  EXPECT_EQ(WB->CPU.IRam[7], 0); // delay's loop ran out
  // Without ADebugUseInterrupt the source view steps instructions.
  WB->UseInterrupt = false;
  WB->CPU.PC = 0x0103;
  Debug.Step();
  EXPECT_EQ(WB->CPU.PC, 0x0200);
  Debug.Step();
  EXPECT_EQ(WB->CPU.PC, 0x0202);
  // The line-level commands of workbench-cli ignore the window.
  Slot.reset();
  Debug.StepLine();
  EXPECT_EQ(WB->CPU.PC, 0x0204);
  WB->CPU.PC = 0x0103;
  Debug.StepLineOver();
  EXPECT_EQ(WB->CPU.PC, 0x0106);
}

TEST_F(DebugCommandsTest, LineHasCallEndsAtTheRangeAfterTheLastLineAndPastTheImage) {
  TDefModuleInfo module;
  for (int32_t address : {0x10, -1, 0x14})
    module.Lines.Add(address);
  Code({0x04, 0x04, 0x04, 0x04, 0x04, 0x12, 0x00, 0x00}, 0x10);
  EXPECT_FALSE(Debug.LineHasCall(module, 0x10, 0x20)); // 10H-13H
  EXPECT_TRUE(Debug.LineHasCall(module, 0x14, 0x20));  // after the last line: to 20H
  EXPECT_FALSE(Debug.LineHasCall(module, 0x14, 0x15));
  EXPECT_FALSE(Debug.LineHasCall(module, 0x30, 0x40)); // no line at or after the PC
  TDefModuleInfo broken;
  broken.Lines.Add(0xFFF0);
  broken.Lines.Add(0x12345); // past 64 KB: the scan ends with program memory
  Code({0x12}, 0xFFFD);
  EXPECT_TRUE(Debug.LineHasCall(broken, 0xFFF0, 0xFFFF));
}

TEST_F(DebugCommandsTest, StopMovesThePCToItsLineStartOnlyInTheSourceView) {
  LoadProgram();
  struct Case {
    int Mode;
    bool Halt;
    uint16_t Expected;
  };
  for (const Case c : {Case{0, false, 0x0200}, Case{1, false, 0x0202}, Case{2, false, 0x0202},
                       Case{0, true, 0x0202}}) {
    SCOPED_TRACE(c.Mode * 10 + c.Halt);
    OpenView(c.Mode);
    WB->CPU.PC = 0x0202;
    if (c.Halt)
      Debug.Halt();
    else
      Debug.Stop();
    EXPECT_EQ(WB->CPU.PC, c.Expected);
  }
  // Below every line start the first entry is taken; no lines at all leave the PC.
  OpenView(0);
  WB->CPU.PC = 0x0050;
  Debug.Stop();
  EXPECT_EQ(WB->CPU.PC, 0x0100);
  WB->DebugInfo.LineAddrs.Clear();
  WB->CPU.PC = 0x0050;
  Debug.Stop();
  EXPECT_EQ(WB->CPU.PC, 0x0050);
}

TEST_F(DebugCommandsTest, StopDuringARunEndsItAndTheRunRefreshes) {
  Code({0x04, 0x80, 0xFD});
  FakeDisassembly& view = OpenView(2);
  int pumps = 0;
  UI.OnPump = [&] {
    if (++pumps == 3) Debug.Stop();
  };
  Debug.Run();
  EXPECT_FALSE(WB->CPU.Running);
  EXPECT_EQ(pumps, 3);
  EXPECT_EQ(view.Shown.size(), 1u);
}

TEST_F(DebugCommandsTest, AutoStepStepsUntilStoppedAndIgnoresBreakpoints) {
  Code({0x04, 0x80, 0xFD});
  WB->BreakPoints.Add(1);
  FakeDisassembly& view = OpenView(2);
  std::vector<bool> stopEnabled;
  UI.OnPump = [&] {
    stopEnabled.push_back(Debug.StopEnabled());
    if (view.Shown.size() == 7) Debug.Stop();
  };
  Debug.AutoStep();
  EXPECT_FALSE(WB->AutoStepping);
  EXPECT_EQ(view.Shown.size(), 7u);
  EXPECT_EQ(WB->CPU.SfrAt(SFR_ACC), 4);
  EXPECT_EQ(stopEnabled, std::vector<bool>(8, true));
  EXPECT_FALSE(Debug.StopEnabled());
}

TEST_F(DebugCommandsTest, ResetKeepsTheDisplayModeThatShowingThePCChanged) {
  LoadProgram();
  FakeDisassembly& view = OpenView(0);
  WB->CPU.PC = 0x0109;
  Debug.Reset(); // the simulator resets to 0100H, a line start; make it none
  EXPECT_EQ(WB->CPU.PC, 0x0100);
  EXPECT_EQ(view.M, 0);
  WB->DebugInfo.StartAddr = 0x0101; // no line starts there
  Debug.Reset();
  EXPECT_EQ(WB->CPU.PC, 0x0101);
  EXPECT_EQ(view.Shown.back(), 0x0101);
  EXPECT_EQ(view.M, 0);
}

TEST_F(DebugCommandsTest, EnablingRulesAndTheCaptionOfPCToCursor) {
  EXPECT_FALSE(Debug.CursorKnown());
  EXPECT_EQ(Debug.SetCurPCCaption(), "PC = 当前地址");
  EXPECT_TRUE(Debug.StepOverOffered());
  EXPECT_FALSE(Debug.ClearAllBreakPointsEnabled());
  LoadProgram();
  FakeDisassembly& view = OpenView(0);
  EXPECT_EQ(Debug.SetCurPCCaption(), "PC = 当前地址");
  view.Cursor = 0x0123;
  EXPECT_TRUE(Debug.CursorKnown());
  EXPECT_EQ(Debug.SetCurPCCaption(), "PC = 0123H");
  Debug.SetCurPC();
  EXPECT_EQ(WB->CPU.PC, 0x0123);
  // Step over is not offered in the source view of an assembler module only.
  TDefModuleInfo asmModule;
  asmModule.SourceName = "sort.asm";
  struct Case {
    int Mode;
    const TDefModuleInfo* Module;
    bool Offered;
  };
  for (const Case c : {Case{0, &asmModule, false}, Case{1, &asmModule, true},
                       Case{0, WB->DebugInfo.Modules[0].get(), true}, Case{0, nullptr, true}}) {
    view.M = c.Mode;
    view.Module = c.Module;
    EXPECT_EQ(Debug.StepOverOffered(), c.Offered) << c.Mode;
  }
  WB->BreakPoints.Add(0x100);
  EXPECT_TRUE(Debug.ClearAllBreakPointsEnabled());
  const int paints = view.GutterPaints;
  Debug.ClearAllBreakPoints();
  EXPECT_TRUE(WB->BreakPoints.Empty());
  EXPECT_EQ(view.GutterPaints, paints + 1);
}

TEST_F(DebugCommandsTest, LoadingEmptiesTheBreakpointsAndAnAssemblerProgramKeepsTheLineFlag) {
  WB->BreakPoints.Add(0x100);
  LoadProgram();
  EXPECT_TRUE(WB->BreakPoints.Empty());
  WB->UseInterrupt = false;
  WB->BreakPoints.Add(0x100);
  Dir.Write("p.hex", ":0100000004FB\n:00000001FF\n");
  WB->DebugInfo.LoadFile((Dir.Path / "p.hex").string());
  EXPECT_TRUE(WB->BreakPoints.Empty());
  EXPECT_FALSE(WB->UseInterrupt);
}

TEST_F(DebugCommandsTest, SelectingTheSamePortAgainDoesNotReopenIt) {
  WB->Option.SelectPort = 1;
  Debug.CommPortSelected(1);
  EXPECT_FALSE(WB->Port.IsOpen());
  EXPECT_TRUE(UI.Messages.empty());
  setenv("CORVEL_COM2", (Dir.Path / "none").c_str(), 1);
  Debug.CommPortSelected(0); // another port: opened, and its failure told
  EXPECT_FALSE(WB->Port.IsOpen());
  EXPECT_EQ(UI.Messages.size(), 1u);
}

// The same session on ice-sim and on the simulator ends in the same state.
TEST(DebugCommandsOnIceSim, AShortSessionEndsAsOnTheSimulator) {
  auto session = [](bool emulated) {
    TempDir dir;
    ScriptedUI ui;
    auto wb = std::make_unique<Workbench>(ui, dir.Path);
    std::unique_ptr<IceSimProcess> sim;
    if (emulated) {
      sim = std::make_unique<IceSimProcess>(std::vector<std::string>{"--ips", "0"},
                                            dir.Path / "frames.log");
      setenv("CORVEL_COM1", sim->DevicePath.c_str(), 1);
      wb->Option.SelectPort = 0;
      wb->Port.Open();
      wb->Port.ResetTarget();
      EXPECT_FALSE(wb->Port.FirstConnect);
    }
    EXPECT_EQ(wb->DebugInfo.LoadFile(WriteTwoModuleProgram(dir)), 0);
    wb->Port.ResetTarget();
    wb->CPU.PC = 0x0100;
    DebugCommands debug(*wb);
    std::vector<uint16_t> stops;
    auto note = [&] { stops.push_back(wb->CPU.PC); };
    debug.StepLine(), note();
    debug.StepLineOver(), note();
    wb->CPU.PC = 0x0103;
    debug.Step(), note();
    debug.StepOver(), note(); // MOV R7,#3
    debug.StepLine(), note();
    wb->BreakPoints.Add(0x0109);
    debug.Run(), note();
    wb->Port.ReadIRam(0, 0x10);
    return std::pair{stops, std::vector<uint8_t>(wb->CPU.IRam.begin(), wb->CPU.IRam.begin() + 8)};
  };
  const auto simulated = session(false);
  EXPECT_EQ(simulated.first,
            (std::vector<uint16_t>{0x0103, 0x0106, 0x0200, 0x0202, 0x0204, 0x0109}));
  EXPECT_EQ(session(true), simulated);
}

TEST_F(DebugCommandsTest, BrowserRowsNameTheFirstModuleHoldingTheAddress) {
  LoadProgram();
  // A third module overlapping DELAY: the module loaded first is shown.
  auto overlap = std::make_unique<TDefModuleInfo>();
  overlap->Name = "LATE";
  overlap->Lines.Add(0x0204);
  WB->DebugInfo.Modules.push_back(std::move(overlap));
  TLongIntList list;
  for (int32_t address : {0x0103, 0x0204, 0x0050, 0x0103})
    list.Add(address);
  std::vector<std::vector<std::string>> rows;
  for (const BreakPointRow& row : BreakPointRows(WB->DebugInfo, list))
    rows.push_back({row.Module, row.Address, row.Line});
  EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"MAIN", "0103", "5"},
                                                         {"DELAY", "0204", "4"},
                                                         {"", "0050", "0"},
                                                         {"MAIN", "0103", "5"}}));
}
