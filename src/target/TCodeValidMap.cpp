#include "TCodeValidMap.h"

#include <algorithm>

bool TCodeValidMap::IsCodeValid(uint16_t address, uint16_t length) const {
  const int first = address / 16;
  const int last = std::min((address + length + 15) / 16, Blocks - 1);
  for (int k = first; k <= last; ++k)
    if (!Flags.test(static_cast<size_t>(k))) return false;
  return true;
}

void TCodeValidMap::SetCodeValid(uint16_t address, uint16_t length, bool value) {
  const int first = (address + 15) / 16;
  const int last = std::min((address + length) / 16, Blocks - 1);
  for (int k = first; k <= last; ++k)
    Flags.set(static_cast<size_t>(k), value);
}
