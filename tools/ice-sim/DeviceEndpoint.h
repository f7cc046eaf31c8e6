#pragma once

#include "SerialPort.h"

#include <string>

// ice-sim's end of the line: the master side of a new pseudo-terminal, or a
// serial device opened at 19200 baud, 8 data bits, no parity, one stop bit.
class DeviceEndpoint {
public:
  DeviceEndpoint() = default;
  ~DeviceEndpoint();
  DeviceEndpoint(const DeviceEndpoint&) = delete;
  DeviceEndpoint& operator=(const DeviceEndpoint&) = delete;

  // A new pseudo-terminal; its slave side stays open here as well, so the
  // workbench may close and reopen it without the line hanging up.
  bool OpenPseudoTerminal(std::string& error);
  bool OpenDevice(const std::string& path, std::string& error);

  int Descriptor() const { return Device.IsOpen() ? Device.Descriptor() : Master; }
  // What the workbench opens.
  const std::string& Path() const { return DevicePath; }

private:
  int Master = -1;
  int Slave = -1;
  SerialPort Device;
  std::string DevicePath;
};
