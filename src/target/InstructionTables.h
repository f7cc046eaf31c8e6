#pragma once

#include <array>
#include <cstdint>

// Length in bytes of each MCS-51 instruction, indexed by opcode. The reserved
// opcode A5H counts as one byte.
// clang-format off
inline constexpr std::array<uint8_t, 256> InstrLength = {
//  0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F
    1, 2, 3, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 0
    3, 2, 3, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 1
    3, 2, 1, 1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 2
    3, 2, 1, 1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 3
    2, 2, 2, 3, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 4
    2, 2, 2, 3, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 5
    2, 2, 2, 3, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 6
    2, 2, 2, 1, 2, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, // 7
    2, 2, 2, 1, 1, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, // 8
    3, 2, 2, 1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 9
    2, 2, 2, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, // A
    2, 2, 2, 1, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, // B
    2, 2, 2, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // C
    2, 2, 2, 1, 1, 3, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, // D
    1, 2, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // E
    1, 2, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // F
};
// clang-format on

// Instruction text formats in seven groups of sixteen: the group is chosen by
// the opcode's low nibble (0, 2, 3, 4, 5, 6-7, 8-F), the entry by its high
// nibble. Low nibble 1 (AJMP/ACALL) has formats of its own.
extern const char* const MnemonicFormats[7][16];
inline constexpr const char* AjmpFormat = "AJMP  %.4XH";
inline constexpr const char* AcallFormat = "ACALL %.4XH";

// The group of MnemonicFormats for an opcode whose low nibble is not 1.
constexpr int FormatGroup(uint8_t opcode) {
  const int lo = opcode & 0x0F;
  if (lo == 0) return 0;
  if (lo <= 5) return lo - 1;
  if (lo <= 7) return 5;
  return 6;
}
