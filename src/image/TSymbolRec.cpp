#include "TSymbolRec.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 6> RegionNames = {"code",  "xdata", "data",
                                                         "idata", "bit",   "const"};

struct TypeInfo {
  std::string_view Name;
  int Size;
};

// Codes 0 and 10 are both labels.
constexpr std::array<TypeInfo, 12> Types = {{
    {"Label", 0},
    {"Bit", 1},
    {"Char", 1},
    {"Byte", 1},
    {"Int", 2},
    {"Word", 2},
    {"Long", 4},
    {"DWord", 4},
    {"Float", 4},
    {"None", 0},
    {"Label", 0},
    {"Void*", 3},
}};

} // namespace

std::string_view RegionName(uint8_t region) {
  return region < RegionNames.size() ? RegionNames[region] : std::string_view();
}

std::string_view TypeName(uint8_t type) {
  return type < Types.size() ? Types[type].Name : std::string_view();
}

int TypeSize(uint8_t type) {
  return type < Types.size() ? Types[type].Size : 0;
}

bool IsCodeLabel(const TSymbolRec& symbol) {
  return symbol.Region == 0 && (symbol.Type == 0 || symbol.Type == 10) && !symbol.Name.empty() &&
         symbol.Name.front() != '?';
}
