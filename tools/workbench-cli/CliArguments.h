#pragma once

#include <optional>
#include <string>
#include <vector>

// One command to run and where it came from, for messages ("-e 2",
// "grade.cmd:14").
struct CliCommand {
  std::string Origin;
  std::string Line;
};

// The program's command line, with the scripts already read.
struct CliArguments {
  std::optional<std::string> Port; // COMn or a device path
  std::optional<int> Cpu;          // EmlutorCPU 0..5
  std::optional<int> Rom;          // EmlutorROM 0..1
  std::optional<int> Ram;          // EmlutorRAM 0..1
  std::optional<std::string> File; // loaded before the commands, its name as given
  std::vector<CliCommand> Commands;
  bool Help = false;
};

// Parses argv; on a usage error returns nothing and sets error. A script
// named "-" is read from standard input.
std::optional<CliArguments> ParseCliArguments(const std::vector<std::string>& args,
                                              std::string& error);

// The --help text.
std::string CliUsage();
