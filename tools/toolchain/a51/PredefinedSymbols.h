#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace omf51 {

// The SFR and SFR bit names of the 8051 and 8052, known to every source
// unless it turns them off ($NOMOD51).
struct PredefinedSymbol {
  uint8_t Address;
  bool IsBit;
};
std::optional<PredefinedSymbol> FindPredefinedSymbol(std::string_view name);

} // namespace omf51
