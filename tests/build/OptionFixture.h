#pragma once

#include "../platform/TempDir.h"
#include "TCPU.h"
#include "TOption.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

// Two target instances, a start folder, and the current directory put back
// afterwards (the settings file can move it).
class OptionFixture : public ::testing::Test {
protected:
  ~OptionFixture() override { std::filesystem::current_path(SavedCwd); }

  std::unique_ptr<TOption> MakeOption() {
    return std::make_unique<TOption>(*CPU, *PrevCPU, Dir.Path);
  }
  std::filesystem::path DskPath() const { return Dir.Path / "mcidem.dsk"; }

  TempDir Dir;
  std::filesystem::path SavedCwd = std::filesystem::current_path();
  std::unique_ptr<TCPU> CPU = std::make_unique<TCPU>();
  std::unique_ptr<TCPU> PrevCPU = std::make_unique<TCPU>();
};
