#include "Process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<char*> Pointers(const std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (const std::string& text : texts)
    pointers.push_back(const_cast<char*>(text.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

} // namespace

ChildProcess::~ChildProcess() {
  if (Running()) {
    Kill();
    Wait(-1);
  }
}

bool ChildProcess::Start(const std::vector<std::string>& argv,
                         const std::vector<std::string>* environment, bool ownGroup) {
  Error.clear();
  ExitStatus = -1;
  if (argv.empty()) {
    Error = "no program";
    return false;
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  if (ownGroup) {
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
  }
  std::vector<char*> args = Pointers(argv);
  std::vector<char*> env;
  if (environment) env = Pointers(*environment);
  pid_t pid = -1;
  const int result = posix_spawn(&pid, argv[0].c_str(), nullptr, &attributes, args.data(),
                                 environment ? env.data() : environ);
  posix_spawnattr_destroy(&attributes);
  if (result != 0) {
    Error = std::strerror(result);
    return false;
  }
  Pid = pid;
  OwnGroup = ownGroup;
  PidFd = OpenPidFd(pid);
  return true;
}

bool ChildProcess::Reap(bool block) {
  int status = 0;
  pid_t done;
  do
    done = waitpid(Pid, &status, block ? 0 : WNOHANG);
  while (done < 0 && errno == EINTR);
  if (done == 0) return false;
  if (done > 0) ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (PidFd >= 0) close(PidFd);
  PidFd = -1;
  Pid = -1;
  return true;
}

bool ChildProcess::Wait(int timeoutMs) {
  if (!Running()) return true;
  if (timeoutMs < 0) return Reap(true);
  if (PidFd >= 0) {
    pollfd fd{PidFd, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0) return false;
    return Reap(true);
  }
  // Without a process descriptor: look every few milliseconds until the time is up.
  for (int waited = 0;; waited += 5) {
    if (Reap(false)) return true;
    if (waited >= timeoutMs) return false;
    const timespec pause{0, 5'000'000};
    nanosleep(&pause, nullptr);
  }
}

void ChildProcess::Kill() {
  if (!Running()) return;
  if (OwnGroup) kill(-Pid, SIGKILL);
  kill(Pid, SIGKILL);
}

std::optional<std::string> FindProgram(std::string_view name, std::string_view pathValue) {
  if (name.find('/') != std::string_view::npos) return std::string(name);
  while (true) {
    const size_t colon = pathValue.find(':');
    std::string dir(pathValue.substr(0, colon));
    if (dir.empty()) dir = ".";
    const std::string candidate = dir + "/" + std::string(name);
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    pathValue.remove_prefix(colon + 1);
  }
}
