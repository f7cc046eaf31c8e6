#include "HexReader.h"

#include "HexText.h"
#include "ProgramMemory.h"
#include "SourceText.h"
#include "TOmf.h"

#include <array>
#include <cstdint>

namespace {

enum RecordType : uint32_t {
  Data = 0,
  EndOfFile = 1,
  ExtendedSegmentAddress = 2,
  StartSegmentAddress = 3,
  ExtendedLinearAddress = 4,
  StartLinearAddress = 5,
};

// The hexadecimal value of the characters at 1-based position first, as many
// as the line holds of count.
uint32_t Field(std::string_view line, size_t first, size_t count) {
  if (first > line.size()) return 0;
  return static_cast<uint32_t>(HexToInt(line.substr(first - 1, count)));
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\x1A") == std::string_view::npos;
}

} // namespace

int ReadHexText(std::string_view text, TCPU& cpu, TOmf& omf) {
  uint32_t base = 0;
  int firstOutside = 0;
  int lineNumber = 0;
  std::array<uint8_t, 255> bytes{};
  for (std::string_view line : SplitLines(text)) {
    ++lineNumber;
    if (IsBlank(line)) continue;
    if (line.substr(0, 3) == ":00") break;
    const uint32_t count = Field(line, 2, 2);
    const uint32_t offset = Field(line, 4, 4);
    switch (Field(line, 8, 2)) {
    case EndOfFile: return firstOutside;
    case ExtendedSegmentAddress: base = Field(line, 10, 4) << 4; continue;
    case ExtendedLinearAddress: base = Field(line, 10, 4) << 16; continue;
    case StartSegmentAddress:
    case StartLinearAddress: continue;
    default: break;
    }
    const uint32_t address = base + offset;
    if (address > 0xFFFF || address + count > 0x10000) {
      if (firstOutside == 0) firstOutside = lineNumber;
      continue;
    }
    if (address < omf.StartAddr) omf.StartAddr = static_cast<uint16_t>(address);
    if (address + count > omf.EndAddr) omf.EndAddr = static_cast<uint16_t>(address + count - 1);
    for (uint32_t i = 0; i < count; ++i)
      bytes[i] = static_cast<uint8_t>(Field(line, 10 + 2 * i, 2));
    StoreCode(cpu, static_cast<uint16_t>(address), bytes.data(), count);
  }
  return firstOutside;
}
