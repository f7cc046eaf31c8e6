#pragma once

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// sampler-sim running on a new pseudo-terminal for the length of a test.
class SamplerProcess {
public:
  explicit SamplerProcess(std::vector<std::string> args) {
    args.insert(args.begin(), SAMPLER_SIM_PATH);
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
    close(out[1]);
    // The first line of output is the device path.
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n')
      Path += c;
    close(out[0]);
  }
  ~SamplerProcess() {
    if (Pid <= 0) return;
    kill(Pid, SIGTERM);
    waitpid(Pid, nullptr, 0);
  }
  SamplerProcess(const SamplerProcess&) = delete;
  SamplerProcess& operator=(const SamplerProcess&) = delete;

  pid_t Pid = -1;
  std::string Path;
};
