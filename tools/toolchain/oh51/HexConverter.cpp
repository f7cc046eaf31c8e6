#include "HexConverter.h"

#include "OmfReader.h"
#include "OmfTypes.h"

#include <cstdio>

namespace omf51 {

namespace {

void DataRecord(std::string& hex, uint16_t address, std::string_view bytes) {
  char field[16];
  uint8_t sum = static_cast<uint8_t>(bytes.size() + (address >> 8) + (address & 0xFF));
  std::snprintf(field, sizeof field, ":%02X%04X00", static_cast<unsigned>(bytes.size()), address);
  hex += field;
  for (char c : bytes) {
    const uint8_t b = static_cast<uint8_t>(c);
    sum = static_cast<uint8_t>(sum + b);
    std::snprintf(field, sizeof field, "%02X", b);
    hex += field;
  }
  std::snprintf(field, sizeof field, "%02X\r\n", static_cast<uint8_t>(-sum));
  hex += field;
}

} // namespace

bool AbsoluteObjectToHex(std::string_view object, std::string& hex, std::string& problem) {
  RecordWalker walker(object);
  RecordView r;
  bool header = false;
  std::string out;
  while (walker.Next(r)) {
    if (r.Type == RecModuleHeader) header = true;
    if (r.Type == RecModuleEnd) break;
    if (r.Type == RecSegments || r.Type == RecSegmentsWide || r.Type == RecFixup ||
        r.Type == RecFixupWide || r.Type == RecExternals || r.Type == RecExternalsWide) {
      problem = "relocatable object: link it first";
      return false;
    }
    if (r.Type != RecContent || !header) continue;
    ContentCursor c(r.Content);
    c.Byte();
    uint16_t address = c.Word();
    std::string_view data = c.Rest();
    if (!c.Ok()) {
      problem = "damaged content record";
      return false;
    }
    while (!data.empty()) {
      const size_t n = data.size() < 16 ? data.size() : 16;
      DataRecord(out, address, data.substr(0, n));
      address = static_cast<uint16_t>(address + n);
      data.remove_prefix(n);
    }
  }
  if (walker.Truncated() || !header) {
    problem = header ? "truncated object file" : "not an object file";
    return false;
  }
  hex = out + ":00000001FF\r\n";
  return true;
}

} // namespace omf51
