#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

// A program started as a child process: waited for with a time-out (blocking
// on the process, never spinning) and ended on request with everything it started.
class ChildProcess {
public:
  ChildProcess() = default;
  // A process still running is killed and reaped.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // argv[0] is the program's path. environment null: the caller's. With
  // ownGroup the process leads a new process group, so Kill reaches what it
  // starts. False with Error set when the program could not be started.
  bool Start(const std::vector<std::string>& argv,
             const std::vector<std::string>* environment = nullptr, bool ownGroup = false);
  // True once the process has ended; waits at most timeoutMs (negative: no limit).
  bool Wait(int timeoutMs);
  void Kill();
  bool Running() const { return Pid > 0; }

  int ExitStatus = -1; // the exit code, or 128 + the signal that ended it
  std::string Error;

private:
  bool Reap(bool block);

  pid_t Pid = -1;
  int PidFd = -1;
  bool OwnGroup = false;
};

// The program a name without '/' starts, searched in the folders of a PATH value.
std::optional<std::string> FindProgram(std::string_view name, std::string_view pathValue);
