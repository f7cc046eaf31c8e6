// Arbitrary bytes as an assembler listing, UTF-8, GBK or neither.
#include "AsmListing.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> source;
  TLongIntList lines;
  ReadAsmListing(std::string_view(reinterpret_cast<const char*>(data), size), source, lines);
  return source.size() == static_cast<size_t>(lines.Count()) ? 0 : (__builtin_trap(), 0);
}
