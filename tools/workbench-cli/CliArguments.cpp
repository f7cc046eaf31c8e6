#include "CliArguments.h"

#include "AtomicFile.h"
#include "CommandInterpreter.h"

#include <iostream>
#include <iterator>
#include <sstream>

namespace {

std::optional<int> SmallNumber(const std::string& text, int max) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '0' + max) return std::nullopt;
  return text[0] - '0';
}

// A script line longer than this is not a command: an endless stream without
// line ends would otherwise be read until memory runs out.
constexpr size_t MaxScriptLine = 64 * 1024;

bool ReadLines(std::istream& in, const std::string& origin, std::vector<CliCommand>& commands,
               std::string& error) {
  int number = 0;
  std::string line;
  for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
    if (c != '\n') {
      if (line.size() == MaxScriptLine) {
        error = origin + ":" + std::to_string(number + 1) + ": a line is longer than " +
                std::to_string(MaxScriptLine) + " bytes";
        return false;
      }
      line += static_cast<char>(c);
      continue;
    }
    commands.push_back({origin + ":" + std::to_string(++number), std::move(line)});
    line.clear();
  }
  if (in.bad()) {
    error = "cannot read script " + origin;
    return false;
  }
  if (!line.empty()) commands.push_back({origin + ":" + std::to_string(++number), line});
  return true;
}

bool ReadScript(const std::string& name, std::vector<CliCommand>& commands, std::string& error) {
  if (name == "-") return ReadLines(std::cin, "stdin", commands, error);
  std::string text;
  if (!ReadWholeFile(name, text)) {
    error = "cannot read script " + name;
    return false;
  }
  std::istringstream lines(text);
  return ReadLines(lines, name, commands, error);
}

} // namespace

std::optional<CliArguments> ParseCliArguments(const std::vector<std::string>& args,
                                              std::string& error) {
  CliArguments result;
  int inlineCount = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      result.Help = true;
      continue;
    }
    // The program file to load; after "--" whatever its name looks like.
    const bool ends = arg == "--";
    if (ends || arg.empty() || arg[0] != '-') {
      if (result.File || (ends && i + 2 != args.size())) {
        error = ends ? "-- is followed by one FILE" : "only one FILE may be given";
        return std::nullopt;
      }
      result.File = ends ? args[++i] : arg;
      continue;
    }
    const bool takesValue = arg == "--port" || arg == "--cpu" || arg == "--rom" || arg == "--ram" ||
                            arg == "-e" || arg == "--script";
    if (!takesValue) {
      error = "unknown argument \"" + arg + "\"";
      return std::nullopt;
    }
    if (i + 1 == args.size()) {
      error = arg + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    std::optional<int>* choice = nullptr;
    int max = 1;
    if (arg == "--port") {
      result.Port = value;
    } else if (arg == "-e") {
      result.Commands.push_back({"-e " + std::to_string(++inlineCount), value});
    } else if (arg == "--script") {
      if (!ReadScript(value, result.Commands, error)) return std::nullopt;
    } else if (arg == "--cpu") {
      choice = &result.Cpu;
      max = 5;
    } else {
      choice = arg == "--rom" ? &result.Rom : &result.Ram;
    }
    if (choice) {
      *choice = SmallNumber(value, max);
      if (!*choice) {
        error = arg + " takes 0 to " + std::to_string(max) + ", not \"" + value + "\"";
        return std::nullopt;
      }
    }
  }
  if (result.Commands.empty() && !result.File && !result.Help) {
    error = "no commands: give FILE, -e COMMAND or --script FILE";
    return std::nullopt;
  }
  return result;
}

std::string CliUsage() {
  return std::string(
             "Usage: workbench-cli [--port COMn|DEVICE] [--cpu 0-5] [--rom 0|1] [--ram 0|1]\n"
             "                     [-e COMMAND]... [--script FILE|-]... [[--] FILE]\n"
             "\n"
             "Drives the workbench's target from a terminal: the built-in simulator, or with\n"
             "--port the in-circuit emulator on that serial port (reset and monitor upload as\n"
             "the workbench does; --cpu, --rom and --ram choose the emulator mode for this\n"
             "run). Settings come from mcidem.dsk in the current directory, which is never\n"
             "written. A FILE is loaded first, its name taken as it stands (as \"load\" with\n"
             "the name in quotes). Commands (-e, and script lines; # starts a comment line;\n"
             "a word in double quotes keeps its blanks, \\\" is a quote inside it) run in order,\n"
             "each printing its result on standard output. Message-box texts go to standard\n"
             "error, and every Yes/No question is answered No. Ctrl+C stops a run or steps\n"
             "and the script goes on; a second Ctrl+C in the same command ends the program.\n"
             "\n"
             "Exit status: 0 when every command succeeded, 1 at the first command that\n"
             "failed, 2 for a usage error.\n"
             "\n"
             "Commands:\n") +
         CommandInterpreter::Summary;
}
