#pragma once

#include <cstdint>

// Writes from the target model through to the in-circuit emulator. The
// emulator link implements it; each call sends the named range of the CPU's
// image and does nothing while no port is open.
class TargetLink {
public:
  virtual ~TargetLink() = default;

  virtual void WriteSfr(uint8_t address) = 0;
  virtual void WriteIRam(uint8_t address, int count) = 0;
  virtual void WriteCode(uint16_t address, int count) = 0;
};
