#pragma once

#include "../platform/TempDir.h"

#include "AtomicFile.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// What one run of workbench-cli left behind.
struct CliResult {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// Runs workbench-cli as a user would, in a folder of its own: arguments as
// given, standard input from a string, output captured.
class CliRunner : public TempDir {
public:
  CliResult Run(const std::vector<std::string>& args, const std::string& input = {},
                std::chrono::milliseconds interruptAfter = {}) const {
    const std::filesystem::path in = Write(".stdin", input);
    const std::filesystem::path out = Path / ".stdout";
    const std::filesystem::path err = Path / ".stderr";
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(Path.c_str()) != 0) _exit(126);
      Redirect(in, O_RDONLY, 0);
      Redirect(out, O_WRONLY | O_CREAT | O_TRUNC, 1);
      Redirect(err, O_WRONLY | O_CREAT | O_TRUNC, 2);
      std::vector<char*> argv{const_cast<char*>(CLI_PROGRAM)};
      for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(CLI_PROGRAM, argv.data());
      _exit(127);
    }
    if (interruptAfter.count() > 0) {
      std::this_thread::sleep_for(interruptAfter);
      kill(pid, SIGINT);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    CliResult result;
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    ReadWholeFile(out, result.Out);
    ReadWholeFile(err, result.Err);
    std::filesystem::remove(in);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
  }

  // Each command after an -e.
  CliResult Commands(const std::vector<std::string>& commands) const {
    std::vector<std::string> args;
    for (const std::string& c : commands) {
      args.push_back("-e");
      args.push_back(c);
    }
    return Run(args);
  }

private:
  static void Redirect(const std::filesystem::path& file, int flags, int fd) {
    const int opened = open(file.c_str(), flags, 0644);
    if (opened < 0 || dup2(opened, fd) < 0) _exit(126);
    close(opened);
  }
};
