#include "TBreakpointMap.h"

void TBreakpointMap::Sync(const TLongIntList& list) {
  if (list.Values() == BuiltFrom) return;
  BuiltFrom = list.Values();
  Marked.fill(false);
  for (const int32_t address : BuiltFrom)
    if (address >= 0 && address <= 0xFFFF) Marked[static_cast<size_t>(address)] = true;
}
