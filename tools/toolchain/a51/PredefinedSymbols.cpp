#include "PredefinedSymbols.h"

namespace omf51 {

namespace {

struct Entry {
  const char* Name;
  uint8_t Address;
  bool IsBit;
};

// clang-format off
constexpr Entry Entries[] = {
  {"P0", 0x80, false}, {"SP", 0x81, false}, {"DPL", 0x82, false}, {"DPH", 0x83, false},
  {"PCON", 0x87, false}, {"TCON", 0x88, false}, {"TMOD", 0x89, false}, {"TL0", 0x8A, false},
  {"TL1", 0x8B, false}, {"TH0", 0x8C, false}, {"TH1", 0x8D, false}, {"P1", 0x90, false},
  {"SCON", 0x98, false}, {"SBUF", 0x99, false}, {"P2", 0xA0, false}, {"IE", 0xA8, false},
  {"P3", 0xB0, false}, {"IP", 0xB8, false}, {"T2CON", 0xC8, false}, {"RCAP2L", 0xCA, false},
  {"RCAP2H", 0xCB, false}, {"TL2", 0xCC, false}, {"TH2", 0xCD, false}, {"PSW", 0xD0, false},
  {"ACC", 0xE0, false}, {"B", 0xF0, false},
  {"IT0", 0x88, true}, {"IE0", 0x89, true}, {"IT1", 0x8A, true}, {"IE1", 0x8B, true},
  {"TR0", 0x8C, true}, {"TF0", 0x8D, true}, {"TR1", 0x8E, true}, {"TF1", 0x8F, true},
  {"T2", 0x90, true}, {"T2EX", 0x91, true},
  {"RI", 0x98, true}, {"TI", 0x99, true}, {"RB8", 0x9A, true}, {"TB8", 0x9B, true},
  {"REN", 0x9C, true}, {"SM2", 0x9D, true}, {"SM1", 0x9E, true}, {"SM0", 0x9F, true},
  {"EX0", 0xA8, true}, {"ET0", 0xA9, true}, {"EX1", 0xAA, true}, {"ET1", 0xAB, true},
  {"ES", 0xAC, true}, {"ET2", 0xAD, true}, {"EA", 0xAF, true},
  {"RXD", 0xB0, true}, {"TXD", 0xB1, true}, {"INT0", 0xB2, true}, {"INT1", 0xB3, true},
  {"T0", 0xB4, true}, {"T1", 0xB5, true}, {"WR", 0xB6, true}, {"RD", 0xB7, true},
  {"PX0", 0xB8, true}, {"PT0", 0xB9, true}, {"PX1", 0xBA, true}, {"PT1", 0xBB, true},
  {"PS", 0xBC, true}, {"PT2", 0xBD, true},
  {"CP_RL2", 0xC8, true}, {"C_T2", 0xC9, true}, {"TR2", 0xCA, true}, {"EXEN2", 0xCB, true},
  {"TCLK", 0xCC, true}, {"RCLK", 0xCD, true}, {"EXF2", 0xCE, true}, {"TF2", 0xCF, true},
  {"P", 0xD0, true}, {"OV", 0xD2, true}, {"RS0", 0xD3, true}, {"RS1", 0xD4, true},
  {"F0", 0xD5, true}, {"AC", 0xD6, true}, {"CY", 0xD7, true},
};
// clang-format on

} // namespace

std::optional<PredefinedSymbol> FindPredefinedSymbol(std::string_view name) {
  for (const Entry& e : Entries)
    if (name == e.Name) return PredefinedSymbol{e.Address, e.IsBit};
  return std::nullopt;
}

} // namespace omf51
