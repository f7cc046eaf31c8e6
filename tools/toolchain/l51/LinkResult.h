#pragma once

#include "ObjectModule.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace omf51 {

struct LinkDiagnostic {
  enum class Level : uint8_t { Warning, Error, Fatal };
  Level Severity = Level::Error;
  int Number = 0;
  std::string Text;
  std::vector<std::string> Details; // "SYMBOL:  X", "MODULE:  file (NAME)", ...
};

// One row of the link map: a register bank, an absolute block or a located segment.
struct MapRow {
  MemoryType Space = MemCode; // MemData stands for all of internal RAM, bits included
  std::string TypeWord;       // REG, BIT, DATA, IDATA, XDATA, CODE
  uint32_t Base = 0;          // bit address for BIT rows
  uint32_t Length = 0;        // bits for BIT rows
  std::string Relocation;     // ABSOLUTE, UNIT, ...
  std::string Name;
  bool Bits = false;
};

// A module as placed: where each of its segments went and its fixed code.
struct LinkedModule {
  const ObjectModule* Module = nullptr;
  std::map<uint16_t, uint32_t> SegmentBase; // segment ID -> final base of this module's part
  std::vector<ContentDef> Code;             // SEG ID 0, Offset = final address, fixed bytes

  // The final address of a place given relative to one of the module's segments.
  uint16_t Final(uint16_t segmentId, uint16_t offset) const {
    const auto it = SegmentBase.find(segmentId);
    const uint32_t base = segmentId == 0 || it == SegmentBase.end() ? 0 : it->second;
    return static_cast<uint16_t>(base + offset);
  }
};

struct LinkResult {
  std::vector<LinkedModule> Modules; // in link order
  std::vector<MapRow> Rows;
  std::vector<std::string> Unresolved;
  std::vector<LinkDiagnostic> Diagnostics;
  uint8_t RegisterMask = 0x01;

  int Count(LinkDiagnostic::Level level) const {
    int n = 0;
    for (const LinkDiagnostic& d : Diagnostics)
      n += d.Severity == level ? 1 : 0;
    return n;
  }
  int Warnings() const { return Count(LinkDiagnostic::Level::Warning); }
  // Fatal errors count as errors, so the summary never reads as success after one.
  int Errors() const {
    return Count(LinkDiagnostic::Level::Error) + Count(LinkDiagnostic::Level::Fatal);
  }
};

} // namespace omf51
