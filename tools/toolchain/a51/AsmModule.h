#pragma once

#include "AsmError.h"
#include "Symbol.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace omf51 {

struct AsmSegment {
  std::string Name;
  MemoryType Type = MemCode;
  uint8_t Relocation = RelUnit;
  bool Overlayable = false;
  uint32_t Size = 0; // bytes; bits for BIT segments
  uint32_t Location = 0;
};

// A stretch of an absolute segment that the source filled or reserved.
struct AbsoluteBlock {
  MemoryType Type = MemCode;
  uint16_t Base = 0;
  uint32_t Size = 0;
};

struct AsmFixup {
  uint16_t At = 0; // offset of the field from the start of its content run
  uint8_t Type = FixByte;
  uint8_t IdBlock = IdSegmentSymbol;
  uint16_t Id = 0;
  uint16_t Offset = 0;
};

// Code bytes that follow one another in one segment, written as one content record.
struct CodeRun {
  int SegmentId = 0; // 0: absolute
  uint16_t Start = 0;
  std::vector<uint8_t> Bytes;
  std::vector<AsmFixup> Fixups;
  std::vector<std::pair<uint16_t, int>> Lines; // offset in the run, listing line number
};

struct ExternalSymbol {
  std::string Name;
  MemoryType Type = MemCode;
};

// What the listing shows for one line: a source line, or a line of a macro
// expansion, listed under the line that called the macro.
struct ListedLine {
  enum class Field : uint8_t { None, Location, SegmentSelect, Value };
  int Source = 0;         // index into SourceText::Lines: the line, or the macro call
  bool Expansion = false; // an expansion line: shows Text and no line number
  std::string Text;       // an expansion line's text
  bool Assembled = false; // false after END
  bool Skipped = false;   // in a false branch: listed without code
  Field Show = Field::None;
  uint16_t Number = 0; // the location or the value
  std::vector<uint8_t> Bytes;
  bool HasFixup = false;
  std::vector<AsmError> Diagnostics;
};

// Everything one assembly produces for the object file and the listing.
struct AsmModule {
  std::string Name;
  std::vector<AsmSegment> Segments; // relocatable; segment ID = index + 1
  std::vector<AbsoluteBlock> AbsoluteBlocks;
  std::vector<ExternalSymbol> Externals; // external ID = index
  std::vector<std::string> Publics;      // in the order of the PUBLIC statements
  SymbolTable Symbols;
  std::vector<CodeRun> Runs;
  uint8_t RegisterMask = 0x01;
  std::vector<ListedLine> Listing; // source lines and expansion lines in order
  std::vector<AsmError> EndDiagnostics;
  int Errors = 0;
  int Warnings = 0;
};

} // namespace omf51
