#pragma once

#include "../platform/TempDir.h"
#include "RecordingUI.h"
#include "TCPU.h"
#include "TOmf.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

// A workbench's loading corner: the target model with a recording emulator
// link, the debug information, and a folder for the files to load.
class LoaderTest : public ::testing::Test {
protected:
  LoaderTest() { CPU->Link = &Link; }

  // Writes the file into the folder and loads it.
  int Load(const std::string& name, std::string_view bytes) {
    return Omf.LoadFile(Dir.Write(name, bytes).string());
  }
  const TDefModuleInfo& Module(size_t index) const { return *Omf.Modules.at(index); }
  const TDefBlockInfo& Block(size_t module, size_t block) const {
    return *Omf.Modules.at(module)->Blocks.at(block);
  }

  TempDir Dir;
  RecordingUI UI;
  RecordingLink Link;
  std::unique_ptr<TCPU> CPU = std::make_unique<TCPU>();
  TOmf Omf{*CPU, UI};
};
