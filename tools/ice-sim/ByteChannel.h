#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Buffered byte reads and whole writes on the emulator's side of the line (a
// non-blocking descriptor).
class ByteChannel {
public:
  explicit ByteChannel(int fd) : Fd(fd) {}

  // The next byte, however long it takes; false when the line is gone.
  bool ReadByte(uint8_t& byte);
  // Up to count bytes, each arriving within gapMs of the one before (the
  // first within gapMs of the call); returns how many came.
  size_t Read(uint8_t* buffer, size_t count, int gapMs);
  bool Write(const uint8_t* data, size_t count);

private:
  // Waits up to timeoutMs (negative: without limit) for input; false on time-out or end.
  bool Fill(int timeoutMs);

  int Fd;
  std::array<uint8_t, 4096> Buffer{};
  size_t Begin = 0, End = 0;
};
