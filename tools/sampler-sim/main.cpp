// sampler-sim: a stand-in for Oscilla's sampling device. It answers every request
// byte 0xAA with 1024 samples of a waveform, on a new pseudo-terminal or a serial
// device, and can be told to make the faults a real device makes.
#include "SampleSource.h"
#include "SamplerSettings.h"
#include "SerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// 64 bytes at 115200 baud, 10 bits a byte.
constexpr size_t PaceChunk = 64;
constexpr auto PaceDelay = std::chrono::microseconds(64 * 10 * 1000000 / 115200);

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      pollfd p{fd, POLLOUT, 0};
      poll(&p, 1, 100);
      continue;
    }
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool SendReply(int fd, const std::vector<uint8_t>& reply, bool paced) {
  for (size_t at = 0; at < reply.size(); at += PaceChunk) {
    if (!WriteAll(fd, reply.data() + at, std::min(PaceChunk, reply.size() - at))) return false;
    if (paced) std::this_thread::sleep_for(PaceDelay);
  }
  return true;
}

// A new pseudo-terminal; the device side stays open here as well, so the port
// can be closed and opened again by Oscilla without hanging up.
int OpenPseudoTerminal(std::string& path, int& keepOpen) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
  path = ptsname(master);
  keepOpen = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  termios t{};
  if (keepOpen < 0 || tcgetattr(keepOpen, &t) != 0) return -1;
  cfmakeraw(&t);
  tcsetattr(keepOpen, TCSANOW, &t);
  return master;
}

int Serve(int fd, const SamplerSettings& settings) {
  SampleSource source(settings);
  for (;;) {
    uint8_t buf[256];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      pollfd p{fd, POLLIN, 0};
      poll(&p, 1, -1);
      continue;
    }
    if (n <= 0) {
      std::fprintf(stderr, "sampler-sim: the line was closed\n");
      return 0;
    }
    for (ssize_t i = 0; i < n; ++i)
      if (buf[i] == 0xAA && !SendReply(fd, source.NextReply(), settings.Paced)) return 1;
  }
}

} // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto settings = ParseSamplerArguments({argv + 1, argv + argc}, error);
  if (!settings) {
    std::fprintf(stderr, "sampler-sim: %s\n%s", error.c_str(), SamplerUsage);
    return 2;
  }
  if (settings->Device.empty()) {
    std::string path;
    int keepOpen = -1;
    const int master = OpenPseudoTerminal(path, keepOpen);
    if (master < 0) {
      std::perror("sampler-sim: pseudo-terminal");
      return 1;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    return Serve(master, *settings);
  }
  SerialPort port;
  SerialLineSettings line;
  line.BaudRate = 115200;
  SerialResult r = port.Open(settings->Device);
  if (r.Ok()) r = port.SetLine(line);
  if (!r.Ok()) {
    std::fprintf(stderr, "sampler-sim: %s: %s\n", settings->Device.c_str(), std::strerror(r.Errno));
    return 1;
  }
  std::printf("%s\n", settings->Device.c_str());
  std::fflush(stdout);
  return Serve(port.Descriptor(), *settings);
}
