#include "MemorySpace.h"

#include "TCPU.h"

#include <array>
#include <cctype>

namespace {

constexpr std::array<MemorySpaceInfo, 4> Spaces = {{
    {"code", 0, 0x10000},
    {"xdata", 0, 0x10000},
    {"iram", 0, 0x100},
    {"sfr", 0x80, 0x80},
}};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return true;
}

} // namespace

const MemorySpaceInfo& SpaceInfo(MemorySpace space) {
  return Spaces[static_cast<size_t>(space)];
}

std::optional<MemorySpace> SpaceByName(std::string_view name) {
  for (size_t i = 0; i < Spaces.size(); ++i)
    if (SameIgnoringCase(name, Spaces[i].Name)) return static_cast<MemorySpace>(i);
  return std::nullopt;
}

std::span<uint8_t> SpaceImage(TCPU& cpu, MemorySpace space) {
  switch (space) {
  case MemorySpace::Code: return cpu.Code;
  case MemorySpace::XData: return cpu.XData;
  case MemorySpace::IRam: return cpu.IRam;
  case MemorySpace::Sfr: return cpu.Sfr;
  }
  return {};
}

std::span<const uint8_t> SpaceImage(const TCPU& cpu, MemorySpace space) {
  return SpaceImage(const_cast<TCPU&>(cpu), space);
}
