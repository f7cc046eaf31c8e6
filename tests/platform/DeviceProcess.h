#pragma once

#include <csignal>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// A stand-in device (ice-sim, sampler-sim) running as a child process for the
// length of a test. Its first line of output is the device to open.
class DeviceProcess {
public:
  explicit DeviceProcess(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&Pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) Pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::FILE* in = fdopen(out[0], "r");
    char line[256] = {};
    if (in && std::fgets(line, sizeof line, in))
      DevicePath = std::string(line, std::strcspn(line, "\n"));
    if (in)
      std::fclose(in);
    else
      ::close(out[0]);
  }
  ~DeviceProcess() {
    if (Pid <= 0) return;
    kill(Pid, SIGTERM);
    waitpid(Pid, nullptr, 0);
  }
  DeviceProcess(const DeviceProcess&) = delete;
  DeviceProcess& operator=(const DeviceProcess&) = delete;

  pid_t Pid = -1;
  std::string DevicePath;
};
