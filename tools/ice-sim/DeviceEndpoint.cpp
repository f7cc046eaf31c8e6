#include "DeviceEndpoint.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

DeviceEndpoint::~DeviceEndpoint() {
  if (Slave >= 0) ::close(Slave);
  if (Master >= 0) ::close(Master);
}

bool DeviceEndpoint::OpenPseudoTerminal(std::string& error) {
  Master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  const char* name = nullptr;
  if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0 ||
      (name = ptsname(Master)) == nullptr) {
    error = std::string("ice-sim: cannot create a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  DevicePath = name;
  Slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios t{};
  if (Slave < 0 || tcgetattr(Slave, &t) != 0) {
    error = "ice-sim: cannot open " + DevicePath + ": " + std::strerror(errno);
    return false;
  }
  // Raw from the start: the line carries binary frames.
  cfmakeraw(&t);
  tcsetattr(Slave, TCSANOW, &t);
  return true;
}

bool DeviceEndpoint::OpenDevice(const std::string& path, std::string& error) {
  if (const SerialResult r = Device.Open(path); !r.Ok()) {
    error = "ice-sim: cannot open " + path + ": " + std::strerror(r.Errno);
    return false;
  }
  SerialLineSettings line;
  line.BaudRate = 19200;
  Device.SetLine(line);
  DevicePath = path;
  return true;
}
