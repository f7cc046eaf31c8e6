#pragma once

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

// A fresh pseudo-terminal: the test plays the device on the master side and hands
// SlavePath to the code under test as its serial port.
class PseudoTerminal {
public:
  PseudoTerminal() {
    Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (Master >= 0 && grantpt(Master) == 0 && unlockpt(Master) == 0) SlavePath = ptsname(Master);
  }
  ~PseudoTerminal() { CloseMaster(); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  void CloseMaster() {
    if (Master >= 0) ::close(Master);
    Master = -1;
  }

  void Send(const std::string& bytes) const {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(Master, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno != EINTR) return;
      if (n > 0) done += static_cast<size_t>(n);
    }
  }

  // Up to `count` bytes that arrive within timeoutMs of each other.
  std::string Receive(size_t count, int timeoutMs = 1000) const {
    std::string got;
    while (got.size() < count) {
      pollfd p{Master, POLLIN, 0};
      if (poll(&p, 1, timeoutMs) <= 0) break;
      char buf[4096];
      const ssize_t n = ::read(Master, buf, std::min(sizeof buf, count - got.size()));
      if (n <= 0) break;
      got.append(buf, static_cast<size_t>(n));
    }
    return got;
  }

  int Master = -1;
  std::string SlavePath;
};
