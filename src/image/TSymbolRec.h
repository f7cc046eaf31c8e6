#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One symbol of the loaded program, as the object file's symbol item gives it.
struct TSymbolRec {
  static constexpr size_t MaxNameLength = 32;

  uint8_t Attrib = 0; // first byte of the symbol item
  uint8_t Region = 0; // memory space, see RegionName
  uint16_t Addr = 0;  // address; for "bit" the bit address
  uint8_t Type = 0;   // type code, see TypeName
  std::string Name;   // at most MaxNameLength bytes of the recorded name
};

// Memory spaces 0-5: "code", "xdata", "data", "idata", "bit", "const"; empty
// for other codes.
std::string_view RegionName(uint8_t region);

// Type codes 0-11 with the names and sizes in bytes the views show; empty
// name and size 0 for other codes.
std::string_view TypeName(uint8_t type);
int TypeSize(uint8_t type);

// A code label: code space, type Label, and a name the user typed or could
// type (compiler-made names start with '?').
bool IsCodeLabel(const TSymbolRec& symbol);
