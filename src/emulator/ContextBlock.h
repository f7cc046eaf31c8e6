#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TCPU;

// The block the monitor loads into the real CPU before it runs the user
// program: internal RAM 00H-2FH, then a short routine whose immediate
// operands carry the registers. Two layouts exist, one per monitor family.
struct ContextLayout {
  static constexpr size_t IRamBytes = 0x30;

  std::span<const uint8_t> Routine; // the bytes after internal RAM; marked bytes hold 0
  int P2;                           // offset of P2, or -1 where the layout carries none
  int SP, PSW, B, TCON, ACC, DPH, DPL, IE, PCHigh, PCLow;

  size_t Size() const { return IRamBytes + Routine.size(); }
  // Whether offset is one of the marked bytes.
  bool IsMarked(size_t offset) const;
};

// 8031/8032 and 80C552 (EmlutorCPU 0 and 1) use the 103-byte layout, the
// others the 107-byte one.
const ContextLayout& ContextLayoutFor(int emlutorCpu);
// The layout of a block of this length, or null.
const ContextLayout* ContextLayoutOfSize(size_t size);

// The context block for cpu. P2, TCON and IE come from the register-list
// entries of those names (0 without one); the rest from the SFR images.
std::vector<uint8_t> BuildContextBlock(TCPU& cpu, int emlutorCpu);
