#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace omf51 {

// One address space of the target (code, xdata, internal data or bits) and
// who holds each of its places, so the linker can find room for a segment and
// notice overlaps.
class MemorySpace {
public:
  enum Owner : int8_t { Free = -1, RegisterBank = 0, BitArea = 1, Absolute = 2, Relocatable = 3 };

  explicit MemorySpace(uint32_t size) : Owners(size, Free) {}

  uint32_t Size() const { return static_cast<uint32_t>(Owners.size()); }
  Owner At(uint32_t address) const { return Owners[address]; }
  void Take(uint32_t base, uint32_t size, Owner owner);

  // The lowest base from `from` on where size places are free below `limit`
  // and the relocation type's rule holds (page start, inside one page or one
  // 2 KB block); nullopt when none fits.
  std::optional<uint32_t> Find(uint32_t size, uint32_t from, uint32_t limit,
                               uint8_t relocation) const;

private:
  std::vector<Owner> Owners;
};

} // namespace omf51
