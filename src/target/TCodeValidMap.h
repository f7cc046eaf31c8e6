#pragma once

#include <bitset>
#include <cstdint>

// Which 16-byte blocks of program memory have been read from the emulator
// since the last invalidation. Only meaningful while an emulator is connected.
class TCodeValidMap {
public:
  static constexpr int Blocks = 4096;

  // The tested range runs one block past the last block the bytes touch.
  bool IsCodeValid(uint16_t address, uint16_t length) const;
  // Only blocks that start inside the range change.
  void SetCodeValid(uint16_t address, uint16_t length, bool value);

  bool Block(int index) const { return Flags.test(static_cast<size_t>(index)); }

private:
  std::bitset<Blocks> Flags;
};
