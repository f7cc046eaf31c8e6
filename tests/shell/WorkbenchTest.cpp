#include "Workbench.h"
#include "../platform/TempDir.h"

#include <memory>

#include <gtest/gtest.h>

// Nothing is global: two workbenches in one process keep their own state.
TEST(Workbench, TwoWorkbenchesKeepTheirOwnTargetsAndSettings) {
  SilentUserInterface ui;
  TempDir dirA, dirB;
  auto a = std::make_unique<Workbench>(ui, dirA.Path);
  auto b = std::make_unique<Workbench>(ui, dirB.Path);
  for (Workbench* w : {a.get(), b.get()}) {
    EXPECT_EQ(w->CPU.Registers.size(), 29u);
    EXPECT_EQ(w->PrevCPU.Registers.size(), 29u);
    EXPECT_EQ(w->CPU.Link, &w->Port);
    EXPECT_FALSE(w->Port.IsOpen());
  }
  a->CPU.SetRegisterValue(a->CPU.FindRegisterIndex("DPTR"), 0x1234);
  a->CPU.Code[0x100] = 0xA5;
  a->TakeSnapshot();
  EXPECT_EQ(a->PrevCPU.GetDPTR(), 0x1234);
  EXPECT_EQ(a->PrevCPU.Code[0x100], 0xA5);
  EXPECT_EQ(b->CPU.GetDPTR(), 0);
  EXPECT_EQ(b->PrevCPU.Code[0x100], 0);
  a->Option.EmlutorCPU = 4;
  EXPECT_NE(b->Option.EmlutorCPU, 4);
}

// Stop ends an auto-step loop through the workbench's own flag.
TEST(Workbench, StopClearsTheAutoSteppingFlag) {
  SilentUserInterface ui;
  TempDir dir;
  auto w = std::make_unique<Workbench>(ui, dir.Path);
  w->SetAutoStepping(true);
  w->CPU.SetRunning(true);
  w->Port.Stop();
  EXPECT_FALSE(w->AutoStepping);
  EXPECT_FALSE(w->CPU.Running);
}
