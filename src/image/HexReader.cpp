#include "HexReader.h"

#include "HexText.h"
#include "ProgramMemory.h"
#include "SourceText.h"
#include "TOmf.h"

#include <array>
#include <cstdint>
#include <optional>

namespace {

enum RecordType : uint8_t {
  Data = 0,
  EndOfFile = 1,
  ExtendedSegmentAddress = 2,
  StartSegmentAddress = 3,
  ExtendedLinearAddress = 4,
  StartLinearAddress = 5,
};

struct Record {
  uint8_t Count = 0;
  uint16_t Offset = 0;
  uint8_t Type = 0;
  std::array<uint8_t, 255> Bytes{};
};

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\x1A") == std::string_view::npos;
}

// The record a line holds: a colon, then count, offset, type, the data and
// the checksum as pairs of hexadecimal digits; trailing blanks are allowed.
std::optional<Record> ParseRecord(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
    line.remove_suffix(1);
  if (line.size() < 11 || line[0] != ':' || line.size() % 2 == 0) return std::nullopt;
  std::array<uint8_t, 260> raw{};
  const size_t n = (line.size() - 1) / 2;
  if (n > raw.size())
    return std::nullopt; // longer than any record: count, offset, type, 255 bytes, sum
  uint8_t sum = 0;
  for (size_t i = 0; i < n; ++i) {
    const int high = HexDigitValue(line[1 + 2 * i]), low = HexDigitValue(line[2 + 2 * i]);
    if (high < 0 || low < 0) return std::nullopt;
    raw[i] = static_cast<uint8_t>(high << 4 | low);
    sum = static_cast<uint8_t>(sum + raw[i]);
  }
  if (n != raw[0] + 5u || sum != 0) return std::nullopt;
  Record r;
  r.Count = raw[0];
  r.Offset = static_cast<uint16_t>(raw[1] << 8 | raw[2]);
  r.Type = raw[3];
  std::copy_n(raw.begin() + 4, r.Count, r.Bytes.begin());
  return r;
}

} // namespace

HexReadResult ReadHexText(std::string_view text, TCPU& cpu, TOmf& omf) {
  HexReadResult result;
  uint32_t base = 0;
  int lineNumber = 0;
  for (std::string_view line : SplitLines(text)) {
    ++lineNumber;
    if (IsBlank(line)) continue;
    if (line.substr(0, 3) == ":00") break;
    const std::optional<Record> record = ParseRecord(line);
    const bool addressSized = record && record->Count == 2;
    if (!record || record->Type > StartLinearAddress ||
        ((record->Type == ExtendedSegmentAddress || record->Type == ExtendedLinearAddress) &&
         !addressSized)) {
      if (result.FirstBad == 0) result.FirstBad = lineNumber;
      continue;
    }
    const uint32_t field = static_cast<uint32_t>(record->Bytes[0] << 8 | record->Bytes[1]);
    switch (record->Type) {
    case EndOfFile: return result;
    case ExtendedSegmentAddress: base = field << 4; continue;
    case ExtendedLinearAddress: base = field << 16; continue;
    case StartSegmentAddress:
    case StartLinearAddress: continue;
    default: break;
    }
    ++result.DataRecords;
    const uint64_t address = uint64_t{base} + record->Offset;
    if (address + record->Count > 0x10000) {
      if (result.FirstOutside == 0) result.FirstOutside = lineNumber;
      continue;
    }
    if (address < omf.StartAddr) omf.StartAddr = static_cast<uint16_t>(address);
    if (address + record->Count > omf.EndAddr)
      omf.EndAddr = static_cast<uint16_t>(address + record->Count - 1);
    StoreCode(cpu, static_cast<uint16_t>(address), record->Bytes.data(), record->Count);
  }
  return result;
}
