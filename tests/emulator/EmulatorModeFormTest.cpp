#include "EmulatorModeForm.h"
#include "SelectPortForm.h"
#include "TOptionBlock.h"

#include <gtest/gtest.h>

namespace {

TEST(EmulatorModeForm, CpuAndCheckBoxRules) {
  TOptionBlock option;
  option.EmlutorCPU = 5; // 80C320
  option.EmlutorRAM = 1;
  EmulatorModeForm form;
  form.Show(option);
  EXPECT_TRUE(form.P36Enabled && form.P37Enabled && form.RamEnabled);
  EXPECT_EQ(form.Ram, 1);

  form.P37 = true;
  form.CheckBoxClicked();
  EXPECT_EQ(form.Ram, EmulatorModeForm::UserRam);
  EXPECT_FALSE(form.RamEnabled);

  form.SelectCpu(0); // 8031/8032
  EXPECT_FALSE(form.P36Enabled || form.P37Enabled || form.P36 || form.P37);
  EXPECT_TRUE(form.RamEnabled);

  for (int cpu : {2, 3, 4}) {
    form.Ram = 1;
    form.SelectCpu(cpu);
    EXPECT_EQ(form.Ram, EmulatorModeForm::UserRam) << cpu;
    EXPECT_FALSE(form.RamEnabled) << cpu;
    EXPECT_EQ(form.P36Enabled, cpu != 2) << cpu;
  }
}

TEST(EmulatorModeForm, ShowAppliesTheCpuRuleToStoredMarksAndOkStoresTheChoices) {
  TOptionBlock option;
  option.EmlutorCPU = 1;
  option.P36IO = true; // not choosable on an 80C552
  EmulatorModeForm form;
  form.Show(option);
  EXPECT_FALSE(form.P36);
  form.SelectCpu(4);
  form.Rom = 0;
  form.P36 = true;
  form.CheckBoxClicked();
  form.Accept(option);
  EXPECT_EQ(option.EmlutorCPU, 4);
  EXPECT_EQ(option.EmlutorROM, 0);
  EXPECT_EQ(option.EmlutorRAM, 0);
  EXPECT_TRUE(option.P36IO);
  EXPECT_FALSE(option.P37IO);
}

TEST(SelectPortForm, OkTellsWhetherThePortChanged) {
  TOptionBlock option;
  option.SelectPort = 2;
  SelectPortForm form;
  form.Show(option);
  EXPECT_EQ(form.Port, 2);
  EXPECT_FALSE(form.Accept(option));
  form.Port = 4;
  EXPECT_TRUE(form.Accept(option));
  EXPECT_EQ(option.SelectPort, 4);
}

} // namespace
