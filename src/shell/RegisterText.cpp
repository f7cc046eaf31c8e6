#include "RegisterText.h"

#include "TRegisterDesc.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::array<uint8_t, 9> StateBlockSfrs = {0x81, 0x82, 0x83, 0x88, 0xA0,
                                                   0xA8, 0xD0, 0xE0, 0xF0};

bool IsReadSingly(uint8_t address) {
  return address >= 0x80 &&
         std::find(StateBlockSfrs.begin(), StateBlockSfrs.end(), address) == StateBlockSfrs.end();
}

} // namespace

std::string PCText(uint16_t pc) {
  char text[8];
  std::snprintf(text, sizeof text, "%.4X", pc);
  return text;
}

std::string RegisterValueText(const TRegisterDesc& desc, uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, desc.IsPair ? "%.4X" : "%.2X",
                desc.IsPair ? value : value & 0xFFu);
  return text;
}

std::bitset<128> RegistersToRead(const std::vector<TRegisterDesc>& registers, bool visibleOnly) {
  std::bitset<128> set;
  for (const TRegisterDesc& desc : registers) {
    if (visibleOnly && desc.Visible != 1) continue;
    // The low byte's address decides whether a pair is read at all.
    if (!IsReadSingly(desc.Addr)) continue;
    set.set(desc.Addr - 0x80u);
    if (desc.IsPair && IsReadSingly(desc.AddrHigh)) set.set(desc.AddrHigh - 0x80u);
  }
  return set;
}
