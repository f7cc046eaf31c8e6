#include "Experiments.h"
#include "../platform/TempDir.h"
#include "Workbench.h"

#include <gtest/gtest.h>

TEST(Experiments, AnEntrySetsThePCWithoutRunning) {
  SilentUserInterface ui;
  TempDir dir;
  Workbench wb(ui, dir.Path);
  wb.CPU.Code[0x05A0] = 0xA3; // INC DPTR: would change DPTR if it ran
  EnterExperiment(wb, HardTests[8]);
  EXPECT_EQ(std::string(HardTests[8].Caption), "实验九 A/D转换\t");
  EXPECT_EQ(wb.CPU.PC, 0x05A0);
  EXPECT_EQ(wb.CPU.GetDPTR(), 0);
  EXPECT_FALSE(wb.CPU.Running);
}
