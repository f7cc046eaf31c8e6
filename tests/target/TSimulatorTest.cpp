#include "TSimulator.h"
#include "CpuState.h"
#include "TBreakpointMap.h"
#include "TCPU.h"
#include "UserInterface.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Stands in for the window's event loop: records running changes and runs a
// handler (a Stop, a nested command) at chosen pumps.
struct ScriptedUserInterface : SilentUserInterface {
  std::vector<bool> RunningChanges;
  int Pumps = 0;
  std::function<void(int pump)> OnPump;
  void RunningChanged(bool running) override { RunningChanges.push_back(running); }
  void PumpEvents() override {
    ++Pumps;
    if (OnPump) OnPump(Pumps);
  }
};

struct SimulatorTest : testing::Test {
  std::unique_ptr<TCPU> CPU = std::make_unique<TCPU>();
  ScriptedUserInterface UI;
  bool AutoStepping = false;
  TSimulator Simulator{*CPU, UI, [this] { return AutoStepping; }};

  SimulatorTest() { CPU->UI = &UI; }

  // Every instruction INC DPTR, so DPTR counts the instructions executed.
  void FillWithIncDptr() { CPU->Code.fill(0xA3); }
};

} // namespace

TEST(TBreakpointMap, AnswersAsTheListSearchAndFollowsChanges) {
  TLongIntList list;
  for (const int32_t a : {-1, 0, 5, 5, 0x10005, 0x1234, 0xFFFF, 0x7FFFFFFF})
    list.Add(a);
  TBreakpointMap map;
  const auto expectSameAsList = [&] {
    map.Sync(list);
    for (int32_t a = 0; a <= 0xFFFF; ++a)
      ASSERT_EQ(map.Contains(static_cast<uint16_t>(a)), list.IndexOf(a) >= 0) << a;
  };
  expectSameAsList();
  list.Remove(5); // the duplicate keeps 0005H set
  expectSameAsList();
  list.Remove(5);
  list.Put(0, 0x8000);
  expectSameAsList();
  list.Clear();
  expectSameAsList();
}

TEST_F(SimulatorTest, RunStartingOnABreakpointExecutesUntilItComesBack) {
  LoadCode(*CPU, 0, {0x04, 0x80, 0xFD}); // 0000 INC A; SJMP 0000H
  CPU->ActiveBreakpoints.Add(0x0000);
  EXPECT_EQ(Simulator.Run(), 2u);
  EXPECT_EQ(CPU->PC, 0x0000);
  EXPECT_EQ(CPU->SfrAt(SFR_ACC), 1);
  EXPECT_EQ(UI.RunningChanges, (std::vector<bool>{true, false}));
}

TEST_F(SimulatorTest, BreakpointIsFoundAfterAnyNumberOfInstructionsWithoutPumping) {
  FillWithIncDptr();
  CPU->ActiveBreakpoints.Add(0x9001);
  Simulator.PumpInterval = std::chrono::hours(1);
  EXPECT_EQ(Simulator.Run(), 0x9001u);
  EXPECT_EQ(CPU->PC, 0x9001);
  EXPECT_EQ(CPU->GetDPTR(), 0x9001);
  EXPECT_EQ(UI.Pumps, 0);
}

TEST_F(SimulatorTest, StopFromThePumpEndsTheRunAfterTheInstructionInProgress) {
  FillWithIncDptr();
  Simulator.PumpInterval = std::chrono::nanoseconds(0);
  uint16_t dptrAtStop = 0;
  UI.OnPump = [&](int pump) {
    if (pump < 3) return;
    dptrAtStop = CPU->GetDPTR();
    CPU->SetRunning(false);
  };
  const uint64_t executed = Simulator.Run();
  EXPECT_EQ(UI.Pumps, 3);
  EXPECT_GT(dptrAtStop, 0);
  EXPECT_EQ(CPU->GetDPTR(), dptrAtStop);
  EXPECT_EQ(CPU->PC, dptrAtStop);
  EXPECT_EQ(executed, dptrAtStop);
  EXPECT_FALSE(CPU->Running);
}

TEST_F(SimulatorTest, AutoSteppingFlagKeepsTheRunGoingAfterRunningIsCleared) {
  FillWithIncDptr();
  Simulator.PumpInterval = std::chrono::nanoseconds(0);
  AutoStepping = true;
  uint16_t dptrAtFirstPump = 0;
  UI.OnPump = [&](int pump) {
    if (pump == 1) {
      dptrAtFirstPump = CPU->GetDPTR();
      CPU->SetRunning(false);
    } else {
      AutoStepping = false;
    }
  };
  Simulator.Run();
  EXPECT_EQ(UI.Pumps, 2);
  EXPECT_GT(CPU->GetDPTR(), dptrAtFirstPump);
}

TEST_F(SimulatorTest, BreakpointsSetDuringARunTakeEffect) {
  FillWithIncDptr();
  Simulator.PumpInterval = std::chrono::nanoseconds(0);
  UI.OnPump = [&](int pump) {
    if (pump == 1) CPU->ActiveBreakpoints.Add(CPU->PC + 0x100);
  };
  CPU->ActiveBreakpoints.Add(0xF000);
  Simulator.Run();
  ASSERT_EQ(CPU->ActiveBreakpoints.Count(), 2);
  EXPECT_EQ(CPU->PC, CPU->ActiveBreakpoints[1]);
}

TEST_F(SimulatorTest, StepExecutesOneInstructionWhileRunningIsSet) {
  LoadCode(*CPU, 0, {0x04, 0x04}); // INC A; INC A
  CPU->ActiveBreakpoints.Add(0x0001);
  Simulator.Step();
  EXPECT_EQ(CPU->PC, 0x0001);
  EXPECT_EQ(CPU->SfrAt(SFR_ACC), 1);
  EXPECT_EQ(UI.RunningChanges, (std::vector<bool>{true, false}));
  EXPECT_EQ(UI.Pumps, 0);
}

TEST(TCPU, ResetSimulatedClearsSfrsAndKeepsMemories) {
  auto cpu = std::make_unique<TCPU>();
  ApplyState(*cpu, "A=12 PSW=18 s90=FF i30=55 x1234=66 c0100=77 PC=4321");
  auto want = std::make_unique<TCPU>(*cpu);
  want->Sfr.fill(0);
  ApplyState(*want, "SP=07 PC=0100");
  cpu->ResetSimulated(0x0100);
  EXPECT_EQ(StateDifferences(*cpu, *want), "");
}

TEST_F(SimulatorTest, RunEndsAfterTheInstructionLimitUnlessABreakpointComesFirst) {
  FillWithIncDptr();
  struct Case {
    uint64_t Limit;
    int32_t Breakpoint;
    uint64_t Executed;
  };
  // Limits below, at and beyond one batch between clock checks.
  for (const Case& c : {Case{1, 0x8000, 1}, Case{4096, 0x8000, 4096}, Case{10000, 0x8000, 10000},
                        Case{10000, 0x0100, 0x100}, Case{0x100, 0x0100, 0x100}}) {
    CPU->PC = 0;
    CPU->SetDPTR(0);
    CPU->ActiveBreakpoints.Clear();
    CPU->ActiveBreakpoints.Add(c.Breakpoint);
    EXPECT_EQ(Simulator.Run(c.Limit), c.Executed) << c.Limit;
    EXPECT_EQ(CPU->GetDPTR(), c.Executed) << c.Limit;
    EXPECT_FALSE(CPU->Running);
  }
}
