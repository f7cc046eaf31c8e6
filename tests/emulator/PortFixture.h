#pragma once

#include "IceSimProcess.h"
#include "ScriptedUI.h"
#include "TCPU.h"
#include "TCodeValidMap.h"
#include "TOmf.h"
#include "TOptionBlock.h"
#include "TPort.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <memory>

// A workbench's link with ice-sim on the other end of COM1.
class PortFixture : public ::testing::Test {
protected:
  PortFixture() { CPU.LoadDefaultRegisters(); }

  void Connect(const std::vector<std::string>& options = {}) {
    Sim = std::make_unique<IceSimProcess>(options, Dir.Path / "frames.log");
    ASSERT_FALSE(Sim->DevicePath.empty());
    Port.Open(Sim->DevicePath);
    ASSERT_TRUE(Port.IsOpen());
  }

  // Frames ice-sim received since the last call.
  std::vector<Bytes> NewFrames() {
    std::vector<Bytes> all = Sim->Frames();
    std::vector<Bytes> fresh(all.begin() + static_cast<long>(std::min(Seen, all.size())),
                             all.end());
    Seen = all.size();
    return fresh;
  }

  TempDir Dir;
  TCPU CPU;
  TCodeValidMap CodeValid;
  TOptionBlock Option;
  ScriptedUI UI;
  TOmf DebugInfo{CPU, UI};
  TPort Port{CPU, CodeValid, Option, DebugInfo, UI};
  std::unique_ptr<IceSimProcess> Sim;
  size_t Seen = 0;
};
