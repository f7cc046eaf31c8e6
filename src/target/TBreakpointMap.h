#pragma once

#include "TLongIntList.h"

#include <array>
#include <cstdint>
#include <vector>

// One flag per code address, so a running simulator can test the PC against
// the breakpoint list after every instruction in constant time. It answers
// exactly as a search of the list would: list values outside 0000H-FFFFH
// match no address. Flags are whole bytes: a test is then a single load,
// which keeps the run loop within a few per cent of bare execution.
class TBreakpointMap {
public:
  // Rebuilds the flags when list differs from the list they were built from.
  void Sync(const TLongIntList& list);

  bool Contains(uint16_t address) const { return Marked[address]; }

private:
  std::array<bool, 0x10000> Marked{};
  std::vector<int32_t> BuiltFrom;
};
