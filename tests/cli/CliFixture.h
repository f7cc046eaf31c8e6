#pragma once

#include "CliRunner.h"

#include <gtest/gtest.h>

// A folder holding the bundled example as a HEX file, where workbench-cli runs.
struct CliTest : testing::Test {
  CliRunner Cli;

  CliTest() {
    std::filesystem::copy_file(std::filesystem::path(CLI_TEST_DATA) / "copyblock.hex",
                               Cli.Path / "copyblock.hex");
  }

  // Builds the example with the tool chain into COPYBLOCK.OMF and its listing.
  void BuildExample(const std::string& listing = "COPYBLOCK.LST") const {
    std::filesystem::copy_file(std::filesystem::path(EXAMPLES_DIR) / "copyblock.asm",
                               Cli.Path / "copyblock.asm",
                               std::filesystem::copy_options::overwrite_existing);
    const std::string cd = "cd '" + Cli.Path.string() + "' && ";
    ASSERT_EQ(std::system((cd + A51_PROGRAM + " copyblock.asm DB 'PR(" + listing +
                           ")' 'OJ(COPYBLOCK.o)' >/dev/null")
                              .c_str()),
              0);
    ASSERT_EQ(std::system((cd + L51_PROGRAM + " COPYBLOCK.o to COPYBLOCK.OMF >/dev/null").c_str()),
              0);
  }
};
