#pragma once

#include "InstructionSet.h"
#include "Value.h"

#include <map>
#include <string>

namespace omf51 {

struct Symbol {
  enum class Kind : uint8_t {
    Label,    // defined by its place
    Constant, // EQU, DATA, IDATA, XDATA, BIT, CODE
    Variable, // SET: may be defined again
    Segment,
    External,
    Register, // EQU of a register name
  };
  std::string Name;
  Kind Type = Kind::Label;
  Value Val;
  Operand::Kind RegisterKind = Operand::Kind::A; // Register symbols
  int RegisterNumber = 0;
  int SegmentIndex = -1; // Segment symbols: index into the segment list
  bool Public = false;
  int DefinedAt = -1; // statement that defines it; -1 while undefined
};

// User symbols by upper-case name, sorted in byte order as the symbol table lists them.
using SymbolTable = std::map<std::string, Symbol>;

} // namespace omf51
