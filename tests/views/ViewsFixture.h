#pragma once

#include "../image/RecordingUI.h"
#include "../platform/TempDir.h"
#include "ViewTarget.h"
#include "Workbench.h"

#include <memory>

#include <gtest/gtest.h>

// Counts what the refresh and the views ask of the disassembly window.
class CountingDisassembly : public DisassemblyView {
public:
  int Mode() const override { return 2; }
  void SetMode(int) override {}
  const TDefModuleInfo* CurModule() const override { return nullptr; }
  void SetCurModule(const TDefModuleInfo*) override {}
  int32_t CursorAddress() const override { return -1; }
  void ShowAddress(uint16_t) override {}
  void ToggleBreakpointAtCursor() override {}
  void RepaintGutter() override { ++GutterRepaints; }
  void RepaintCodePane() override { ++CodePaneRepaints; }
  void ResetView() override {}
  void LoadFromTarget() override {}
  int GutterRepaints = 0;
  int CodePaneRepaints = 0;
};

// A workbench on the simulator (no emulator), answering address questions from the test.
struct ViewsFixture : ::testing::Test {
  RecordingUI ui;
  TempDir dir;
  std::unique_ptr<Workbench> wb = std::make_unique<Workbench>(ui, dir.Path);
  TCPU& cpu = wb->CPU;
  TCPU& prev = wb->PrevCPU;
  ViewTarget target{wb->CPU, wb->PrevCPU, wb->Port, wb->Views.Disassembly};
};
