#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using Bytes = std::vector<uint8_t>;

// "0E 00 6F" as bytes.
inline Bytes Hex(const std::string& text) {
  Bytes bytes;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair)
    bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
  return bytes;
}

// ice-sim running as a child process on a new pseudo-terminal, logging the
// frames it receives.
class IceSimProcess {
public:
  explicit IceSimProcess(const std::vector<std::string>& options,
                         const std::filesystem::path& logPath)
      : LogPath(logPath) {
    std::vector<std::string> args{ICE_SIM_PROGRAM, "--log", logPath.string()};
    args.insert(args.end(), options.begin(), options.end());
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
    // The first line is the device to open.
    std::FILE* in = fdopen(out[0], "r");
    char line[256] = {};
    if (in && std::fgets(line, sizeof line, in))
      DevicePath = std::string(line, std::strcspn(line, "\n"));
    if (in) std::fclose(in);
  }
  ~IceSimProcess() {
    if (Pid <= 0) return;
    kill(Pid, SIGTERM);
    waitpid(Pid, nullptr, 0);
  }
  IceSimProcess(const IceSimProcess&) = delete;
  IceSimProcess& operator=(const IceSimProcess&) = delete;

  // Every frame logged so far.
  std::vector<Bytes> Frames() const {
    std::vector<Bytes> frames;
    std::ifstream log(LogPath);
    for (std::string line; std::getline(log, line);)
      frames.push_back(Hex(line));
    return frames;
  }

  pid_t Pid = -1;
  std::string DevicePath;
  std::filesystem::path LogPath;
};
