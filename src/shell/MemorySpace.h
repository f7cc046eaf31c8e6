#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

class TCPU;

// The four memories of the target as the memory windows and the dump and
// save commands name them. Special registers are addressed by their direct
// address, 80H to FFH.
enum class MemorySpace : uint8_t { Code = 0, XData = 1, IRam = 2, Sfr = 3 };

struct MemorySpaceInfo {
  std::string_view Name; // "code", "xdata", "iram", "sfr"
  uint32_t First;        // lowest address
  uint32_t Size;         // number of addresses
};

const MemorySpaceInfo& SpaceInfo(MemorySpace space);
// The space of a name, ignoring case.
std::optional<MemorySpace> SpaceByName(std::string_view name);
// The space's image in cpu; element 0 holds address SpaceInfo(space).First.
std::span<uint8_t> SpaceImage(TCPU& cpu, MemorySpace space);
std::span<const uint8_t> SpaceImage(const TCPU& cpu, MemorySpace space);
