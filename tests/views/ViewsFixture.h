#pragma once

#include "../image/RecordingUI.h"
#include "../platform/TempDir.h"
#include "Workbench.h"

#include <memory>

#include <gtest/gtest.h>

// A workbench on the simulator (no emulator), answering address questions from the test.
struct ViewsFixture : ::testing::Test {
  RecordingUI ui;
  TempDir dir;
  std::unique_ptr<Workbench> wb = std::make_unique<Workbench>(ui, dir.Path);
  TCPU& cpu = wb->CPU;
  TCPU& prev = wb->PrevCPU;
};
