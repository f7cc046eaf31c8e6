#include "MemorySpace.h"

#include "OmfTypes.h"

namespace omf51 {

void MemorySpace::Take(uint32_t base, uint32_t size, Owner owner) {
  for (uint32_t a = base; a < base + size && a < Owners.size(); ++a)
    Owners[a] = owner;
}

std::optional<uint32_t> MemorySpace::Find(uint32_t size, uint32_t from, uint32_t limit,
                                          uint8_t relocation) const {
  if (limit > Owners.size()) limit = Size();
  uint32_t base = from;
  while (base + size <= limit) {
    if (relocation == RelPage && base % 256 != 0) {
      base = (base / 256 + 1) * 256;
      continue;
    }
    const uint32_t last = size == 0 ? base : base + size - 1;
    if (relocation == RelInPage && size <= 256 && base / 256 != last / 256) {
      base = (base / 256 + 1) * 256;
      continue;
    }
    if (relocation == RelInBlock && size <= 2048 && base / 2048 != last / 2048) {
      base = (base / 2048 + 1) * 2048;
      continue;
    }
    uint32_t used = base;
    while (used < base + size && Owners[used] == Free)
      ++used;
    if (used == base + size) return base;
    base = used + 1;
  }
  return std::nullopt;
}

} // namespace omf51
