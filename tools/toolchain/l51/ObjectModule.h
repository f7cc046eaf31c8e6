#pragma once

#include "OmfTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace omf51 {

// One module of an object file as the linker reads it; IDs are 16-bit so the
// wide record variants fit too.
struct SegmentDef {
  uint16_t Id = 0; // 0: an absolute block
  uint8_t Info = 0;
  uint8_t Relocation = RelAbsolute;
  uint16_t Base = 0;
  uint32_t Size = 0;
  std::string Name;
  MemoryType Type() const { return static_cast<MemoryType>(Info & 0x07); }
};

struct ExternalDef {
  uint16_t Id = 0;
  uint8_t Info = 0;
  std::string Name;
};

// A public definition or a debug symbol: a place relative to a segment.
struct SymbolDef {
  uint16_t SegmentId = 0;
  uint8_t Info = 0;
  uint16_t Offset = 0;
  std::string Name;
};

struct LineDef {
  uint16_t SegmentId = 0;
  uint16_t Offset = 0;
  uint16_t Line = 0;
};

struct FixupDef {
  uint16_t RefLoc = 0;
  uint8_t Type = 0;
  uint8_t IdBlock = 0;
  uint16_t Id = 0;
  uint16_t Offset = 0;
};

struct ContentDef {
  uint16_t SegmentId = 0;
  uint16_t Offset = 0;
  std::vector<uint8_t> Data;
  std::vector<FixupDef> Fixups;
};

struct ObjectModule {
  std::string Name;
  std::string FileName; // the input file as named on the command line
  std::string SourceName;
  uint8_t RegisterMask = 0x01;
  bool HasDebug = false; // it opened a module scope
  std::vector<SegmentDef> Segments;
  std::vector<ExternalDef> Externals;
  std::vector<SymbolDef> Publics;
  std::vector<SymbolDef> SegmentSymbols;
  std::vector<SymbolDef> PublicSymbols;
  std::vector<SymbolDef> LocalSymbols;
  std::vector<LineDef> Lines;
  std::vector<ContentDef> Contents;

  const SegmentDef* Segment(uint16_t id) const {
    for (const SegmentDef& s : Segments)
      if (s.Id == id && id != 0) return &s;
    return nullptr;
  }
};

// The modules of one input file; library members are linked only when they
// define a symbol that another module needs.
struct ObjectFile {
  std::string FileName;
  bool IsLibrary = false;
  std::vector<ObjectModule> Modules;
};

} // namespace omf51
