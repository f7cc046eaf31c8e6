#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Runs a build's batch file line by line: "SET NAME=value" sets the environment
// of the lines after it, "echo off" and "cls" do nothing, and any other line
// runs as a program with blank-separated arguments, waited for before the next
// line. A program that cannot be started is named on messages and the next
// line runs, as a console would go on.
class BatchRunner {
public:
  explicit BatchRunner(std::ostream& messages);

  // 0 when the file was read, 1 when it could not be read.
  int Run(const std::filesystem::path& batchFile);
  void RunLine(std::string_view line);

  // The environment the next program gets, NAME=value each.
  std::vector<std::string> Environment;

private:
  void Set(std::string_view assignment);
  std::string Variable(std::string_view name) const;

  std::ostream& Messages;
};

// The words of a command line: blanks separate them and several blanks are one.
std::vector<std::string> CommandWords(std::string_view line);

// The command that runs batchFile with this program's batch runner: hidden for
// show mode 0; in a terminal window for 1 to 3 when one is given (terminal
// empty: none installed, hidden as well).
std::vector<std::string> BatchRunnerCommand(const std::string& self, const std::string& batchFile,
                                            int showMode, const std::string& terminal);

// `PROGRAM --run-batch FILE`: runs the batch file and gives the exit status;
// empty for any other command line.
std::optional<int> RunBatchCommandLine(int argc, char** argv);
