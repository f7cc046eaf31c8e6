#pragma once

#include "OmfTypes.h"

#include <cstdint>

namespace omf51 {

// The value of an expression: a 16-bit number, or an addend to the final
// address of a relocatable segment or of an external symbol, which the linker
// completes through a fixup.
struct Value {
  enum class BaseKind : uint8_t { Absolute, Segment, External };
  enum class Part : uint8_t { Whole, Low, High };

  uint16_t Number = 0;
  BaseKind Base = BaseKind::Absolute;
  int BaseId = 0;            // segment ID (1, 2, ...) or external ID (0, 1, ...)
  bool NamesSegment = false; // the expression names the segment itself
  Part Selected = Part::Whole;
  bool BitOfByte = false; // byte.bit on a relocatable byte: Number = offset x 8 + bit
  MemoryType Type = MemNumber;
  bool Known = true; // false while a forward reference is unresolved (first pass)

  bool IsAbsolute() const { return Base == BaseKind::Absolute; }

  static Value Absolute(uint16_t number, MemoryType type = MemNumber) {
    Value v;
    v.Number = number;
    v.Type = type;
    return v;
  }
  static Value Unknown() {
    Value v;
    v.Known = false;
    return v;
  }
};

} // namespace omf51
