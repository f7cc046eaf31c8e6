// workbench-cli: the workbench's core from a terminal, for scripts, grading
// and checks against the simulator or an in-circuit emulator.
#include "CliArguments.h"
#include "CommandInterpreter.h"
#include "CommandUserInterface.h"
#include "CommandWords.h"
#include "Workbench.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>

namespace {

volatile std::sig_atomic_t Interrupted = 0;

void OnInterrupt(int) {
  Interrupted = 1;
}

// The first Ctrl+C during a command stops its run; the handler then falls
// back to the default, so a second one ends the program.
void CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

// The settings file may name another current directory; a script's relative
// file names still mean the directory the program was started in.
std::unique_ptr<Workbench> OpenWorkbench(UserInterface& ui) {
  const std::filesystem::path startDir = std::filesystem::current_path();
  auto workbench = std::make_unique<Workbench>(ui, startDir);
  std::error_code ec;
  std::filesystem::current_path(startDir, ec);
  workbench->Option.SaveAtExit = false;
  return workbench;
}

int RunCommands(const CliArguments& args) {
  CommandUserInterface ui(std::cerr);
  const std::unique_ptr<Workbench> workbench = OpenWorkbench(ui);
  if (args.Cpu) workbench->Option.EmlutorCPU = static_cast<uint8_t>(*args.Cpu);
  if (args.Rom) workbench->Option.EmlutorROM = static_cast<uint8_t>(*args.Rom);
  if (args.Ram) workbench->Option.EmlutorRAM = static_cast<uint8_t>(*args.Ram);

  CommandInterpreter interpreter(*workbench, ui, std::cout);
  interpreter.StopRequested = [] { return Interrupted != 0; };
  if (args.Port) {
    try {
      interpreter.Connect(*args.Port);
    } catch (const CommandError& e) {
      std::cerr << "workbench-cli: --port: " << e.what() << '\n';
      return 1;
    }
  }
  // Runs one command; false (with the reason on standard error) when it failed.
  const auto run = [&interpreter](const std::string& origin, const auto& words) {
    Interrupted = 0;
    CatchInterrupt();
    try {
      interpreter.Execute(words());
      std::cout.flush();
      return true;
    } catch (const std::exception& e) {
      std::cout.flush();
      std::cerr << "workbench-cli: " << origin << ": " << e.what() << '\n';
      return false;
    }
  };
  // The named file is never split into words: its name may hold anything.
  if (args.File && !run("FILE", [&] { return std::vector<std::string>{"load", *args.File}; }))
    return 1;
  for (const CliCommand& command : args.Commands) {
    const auto words = [&command] {
      std::string error;
      std::optional<std::vector<std::string>> split = SplitCommandWords(command.Line, &error);
      if (!split) throw CommandError(error);
      return *split;
    };
    if (!run(command.Origin, words)) return 1;
  }
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto args = ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!args) {
    std::cerr << "workbench-cli: " << error << "\nTry 'workbench-cli --help'.\n";
    return 2;
  }
  if (args->Help) {
    std::cout << CliUsage();
    return 0;
  }
  return RunCommands(*args);
}
