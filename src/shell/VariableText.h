#pragma once

#include "MemorySpace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TCPU;
struct TSymbolRec;

// Where a watched variable's bytes come from. Special registers are given by
// direct address (80H-FFH); the caller reads Count of them from Address on.
struct VariableRead {
  MemorySpace Space;
  uint16_t Address;
  int Count;
};

// The bytes to bring up to date from the emulator before a symbol is
// formatted; none for labels, constants, user-defined types and unknown spaces.
std::optional<VariableRead> VariableReadRange(const TSymbolRec& symbol);

// The symbol's value from the images of cpu, as the variable window shows it:
// "5, 0005H" for an Int holding 5.
std::string FormatValue(const TSymbolRec& symbol, const TCPU& cpu);

// The variable window's line for a watched name and what the name resolved
// to (null: not found): "count: data, Int::5, 0005H".
std::string VariableLine(std::string_view name, const TSymbolRec* symbol, const TCPU& cpu);
