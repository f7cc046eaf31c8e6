#include "BatchRunner.h"

#include "../platform/TempDir.h"

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

using Words = std::vector<std::string>;

TEST(BatchRunnerTest, SetLinesReachTheProgramsAfterThem) {
  TempDir dir;
  const auto out = dir.Path / "out.txt";
  dir.Write("run.BAT", "SET PATH=/usr/bin:/bin\r\n"
                       "SET C51LIB=/opt/lib\r\n"
                       "/bin/sh -c echo${IFS}$C51LIB>" +
                           out.string() +
                           "\r\n"
                           "echo off\r\n"
                           "cls\r\n");
  std::ostringstream messages;
  BatchRunner runner(messages);
  EXPECT_EQ(runner.Run(dir.Path / "run.BAT"), 0);
  EXPECT_EQ(ReadFile(out), "/opt/lib\n");
  EXPECT_EQ(messages.str(), "");
}

TEST(BatchRunnerTest, ProgramsRunInOrderAndTheirNamesAreFoundInThePath) {
  TempDir dir;
  const auto out = dir.Path / "out.txt";
  dir.Write("run.bat", "SET PATH=/usr/bin:/bin\n"
                       "sh -c echo${IFS}one>>" +
                           out.string() + "\nsh   -c   echo${IFS}two>>" + out.string() + "\n");
  std::ostringstream messages;
  BatchRunner(messages).Run(dir.Path / "run.bat");
  EXPECT_EQ(ReadFile(out), "one\ntwo\n");
}

TEST(BatchRunnerTest, AProgramThatCannotStartIsNamedAndTheNextLineRuns) {
  TempDir dir;
  const auto out = dir.Path / "out.txt";
  dir.Write("run.bat",
            "/no/such/bin/A51 x.asm\r\nNOSUCHPROGRAM\r\n/bin/sh -c :>" + out.string() + "\r\n");
  std::ostringstream messages;
  BatchRunner(messages).Run(dir.Path / "run.bat");
  EXPECT_EQ(messages.str(), "cannot start /no/such/bin/A51: No such file or directory\n"
                            "cannot start NOSUCHPROGRAM: program not found\n");
  EXPECT_TRUE(std::filesystem::exists(out));
}

TEST(BatchRunnerTest, MissingBatchFileIsReported) {
  std::ostringstream messages;
  EXPECT_EQ(BatchRunner(messages).Run("/no/such/file.bat"), 1);
  EXPECT_EQ(messages.str(), "cannot read /no/such/file.bat\n");
}

TEST(BatchRunnerTest, WordsAreSeparatedByBlanks) {
  EXPECT_EQ(CommandWords("A51 x.asm PR(X.LST)  OJ(X.o)"),
            (Words{"A51", "x.asm", "PR(X.LST)", "OJ(X.o)"}));
  EXPECT_EQ(CommandWords("  "), Words{});
}

TEST(BatchRunnerTest, ShowModeChoosesHiddenOrATerminal) {
  EXPECT_EQ(BatchRunnerCommand("/bin/workbench", "/lab/d.BAT", 0, "x-terminal-emulator"),
            (Words{"/bin/workbench", "--run-batch", "/lab/d.BAT"}));
  EXPECT_EQ(BatchRunnerCommand("/bin/workbench", "/lab/d.BAT", 1, "x-terminal-emulator"),
            (Words{"x-terminal-emulator", "-e", "/bin/workbench", "--run-batch", "/lab/d.BAT"}));
  EXPECT_EQ(BatchRunnerCommand("/bin/workbench", "/lab/d.BAT", 3, ""),
            (Words{"/bin/workbench", "--run-batch", "/lab/d.BAT"}));
}

} // namespace
