#pragma once

#include "TDefBlockInfo.h"
#include "TLongIntList.h"
#include "TSymbolRec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TSourceKind : uint8_t {
  stNone = 0,
  stASM = 1, // assembler source, or the listing it was rebuilt from
  stC = 2,
};

// "" for stNone, "ASM", "C".
std::string_view SourceKindName(uint8_t kind);

// One module of the loaded program: its code range, symbols, functions,
// source text and the table that ties source lines to code addresses.
class TDefModuleInfo {
public:
  std::string Name;
  std::string SourceName;      // as named in the object file
  uint16_t CodeBegin = 0xFFFF; // FFFFH and 0 while the module holds no code
  uint16_t CodeEnd = 0;
  std::vector<TSymbolRec> Symbols;
  TLongIntList Lines; // entry i: address of source line i+1, or -1 for a line without code
  std::vector<std::unique_ptr<TDefBlockInfo>> Blocks;
  uint8_t SourceKind = stNone;
  std::vector<std::string> SourceLines; // UTF-8; line i+1 is element i

  bool Contains(uint16_t address) const { return CodeBegin <= address && address <= CodeEnd; }
  void Widen(uint16_t first, uint16_t last) {
    if (first < CodeBegin) CodeBegin = first;
    if (last > CodeEnd) CodeEnd = last;
  }

  // The code address of 1-based source line n; -1 when the line has no code
  // or lies outside the table.
  int32_t AddressOfLine(int32_t line) const;
  // The first 1-based line that starts at address; 0 when none does.
  int32_t LineOfAddress(int32_t address) const;

  // When consecutive lines (ignoring lines without code) start at the same
  // address, only the last of them keeps it. Across lines without code the
  // table's last entry is never taken as the later line.
  void RemoveDuplicateLineAddresses();
};
