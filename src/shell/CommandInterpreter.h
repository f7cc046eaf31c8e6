#pragma once

#include "DebugCommands.h"
#include "MemorySpace.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class CommandUserInterface;
class TLongIntList;
class Workbench;

// A command that could not be carried out; what() says why.
class CommandError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The workbench's core driven by typed commands ("load prog.hex", "run
// --break 40", "dump xdata 0 100"), each printing its result on a stream.
// Message-box texts of the core go through the user interface.
class CommandInterpreter {
public:
  CommandInterpreter(Workbench& workbench, CommandUserInterface& ui, std::ostream& out);

  // Opens the emulator's port (COMn or a device path) and resets the target,
  // which connects to the emulator and uploads its monitor; afterwards every
  // command goes through the emulator. Throws CommandError when the port
  // cannot be opened or the emulator does not answer.
  void Connect(const std::string& portName);

  // Runs one command given as words; throws CommandError when it fails,
  // also when the emulator link was lost on the way.
  void Execute(const std::vector<std::string>& words);

  // Asked while the target runs and between steps; true stops it.
  std::function<bool()> StopRequested;

  // One line per command: its syntax and what it does.
  static const char* const Summary;

private:
  using Words = std::vector<std::string>;
  struct Command {
    std::string_view Name;
    std::string_view Syntax;
    size_t MinArgs;
    size_t MaxArgs;
    void (CommandInterpreter::*Run)(const Words&);
  };
  static const Command Commands[];

  enum class StopCause { None, Interrupted, TimeLimit };

  void Load(const Words& a);
  void Reset(const Words& a);
  void Pc(const Words& a);
  void Reg(const Words& a);
  void Regs(const Words& a);
  void Step(const Words& a);
  void Next(const Words& a);
  void Line(const Words& a);
  void Run(const Words& a);
  void Dump(const Words& a);
  void Write(const Words& a);
  void Dis(const Words& a);
  void Save(const Words& a);
  void List(const Words& a);
  void Modules(const Words& a);
  void Lines(const Words& a);
  void Symbol(const Words& a);
  void State(const Words& a);

  void ResetTarget();
  // Throws when the port was closed or a transfer's reply was lost since the
  // command began.
  void CheckLink() const;
  // Performs a stepping command count times (the count word at a[index], default 1), then
  // prints the PC.
  void Repeat(const Words& a, size_t index, void (DebugCommands::*step)());
  // Brings a range of the target's memory into the images (nothing without a port).
  void ReadFromTarget(MemorySpace space, uint32_t address, uint32_t length);
  // Sends a range of the images on to the emulator (nothing without a port).
  void WriteToTarget(MemorySpace space, uint32_t address, uint32_t length);
  void RunOnEmulator(const TLongIntList& breaks, std::optional<std::chrono::seconds> limit);
  // Lets a run go on unless a stop was asked for or its time is up.
  void CheckRun(std::optional<std::chrono::steady_clock::time_point> deadline);
  void PrintPC(std::string_view prefix = {});
  void PrintDump(MemorySpace space, uint32_t address, uint32_t length);
  int RegisterIndex(std::string_view name) const;

  Workbench& WB;
  CommandUserInterface& UI;
  std::ostream& Out;
  DebugCommands Debug;
  StopCause Stopped = StopCause::None;
  bool Connected = false;   // the commands are meant for the emulator
  std::string_view Current; // the command being run, for messages
};
