#include "CpuState.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace {

uint32_t ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 4)
    throw std::invalid_argument("bad value: " + std::string(text));
  return static_cast<uint32_t>(std::stoul(std::string(text), nullptr, 16));
}

// Stores comma-separated bytes at consecutive addresses of a 64 KB or smaller image.
template <size_t N>
void StoreBytes(std::array<uint8_t, N>& image, uint32_t address, std::string_view list) {
  size_t from = 0;
  while (from <= list.size()) {
    const size_t comma = std::min(list.find(',', from), list.size());
    image[address++ % N] = static_cast<uint8_t>(ParseHex(list.substr(from, comma - from)));
    from = comma + 1;
  }
}

void Assign(TCPU& cpu, std::string_view key, std::string_view value) {
  static constexpr struct {
    std::string_view Name;
    uint8_t Address;
  } Named[] = {{"A", SFR_ACC}, {"B", SFR_B},     {"PSW", SFR_PSW},
               {"SP", SFR_SP}, {"DPL", SFR_DPL}, {"DPH", SFR_DPH}};
  for (const auto& n : Named)
    if (key == n.Name) {
      cpu.SfrAt(n.Address) = static_cast<uint8_t>(ParseHex(value));
      return;
    }
  if (key == "DPTR") return cpu.SetDPTR(static_cast<uint16_t>(ParseHex(value)));
  if (key == "PC") {
    cpu.PC = static_cast<uint16_t>(ParseHex(value));
    return;
  }
  if (key.size() == 2 && key[0] == 'R' && key[1] >= '0' && key[1] <= '7') {
    cpu.IRam[(cpu.SfrAt(SFR_PSW) & PSW_RS) + (key[1] - '0')] =
        static_cast<uint8_t>(ParseHex(value));
    return;
  }
  const uint32_t address = ParseHex(key.substr(1));
  switch (key[0]) {
  case 'i': return StoreBytes(cpu.IRam, address, value);
  case 's': return StoreBytes(cpu.Sfr, address - 0x80, value);
  case 'x': return StoreBytes(cpu.XData, address, value);
  case 'c': return StoreBytes(cpu.Code, address, value);
  }
  throw std::invalid_argument("unknown key: " + std::string(key));
}

template <size_t N>
void CompareImage(std::ostringstream& out, const char* name, unsigned base,
                  const std::array<uint8_t, N>& got, const std::array<uint8_t, N>& want) {
  for (size_t i = 0; i < N; ++i)
    if (got[i] != want[i]) {
      char line[64];
      std::snprintf(line, sizeof line, "%s %.2XH: %.2XH, want %.2XH\n", name,
                    static_cast<unsigned>(base + i), got[i], want[i]);
      out << line;
    }
}

} // namespace

void ApplyState(TCPU& cpu, std::string_view assignments) {
  std::istringstream in{std::string(assignments)};
  std::string item;
  while (in >> item) {
    const size_t equals = item.find('=');
    if (equals == std::string::npos) throw std::invalid_argument("no '=' in " + item);
    Assign(cpu, std::string_view(item).substr(0, equals),
           std::string_view(item).substr(equals + 1));
  }
}

std::string StateDifferences(const TCPU& got, const TCPU& want) {
  std::ostringstream out;
  if (got.PC != want.PC) {
    char line[40];
    std::snprintf(line, sizeof line, "PC %.4XH, want %.4XH\n", got.PC, want.PC);
    out << line;
  }
  CompareImage(out, "IRAM", 0, got.IRam, want.IRam);
  CompareImage(out, "SFR", 0x80, got.Sfr, want.Sfr);
  CompareImage(out, "XDATA", 0, got.XData, want.XData);
  CompareImage(out, "CODE", 0, got.Code, want.Code);
  return out.str();
}

void LoadCode(TCPU& cpu, uint16_t address, std::initializer_list<uint8_t> bytes) {
  for (const uint8_t b : bytes)
    cpu.Code[address++] = b;
}
