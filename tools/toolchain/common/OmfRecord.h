#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace omf51 {

// Builds one record: content bytes first, then framed with type, length and
// checksum when appended to a file image.
class OmfRecord {
public:
  explicit OmfRecord(uint8_t type) : Type(type) {}

  OmfRecord& Byte(uint8_t value);
  // Little-endian, as every multi-byte number inside a record.
  OmfRecord& Word(uint16_t value);
  // Length byte and at most 255 characters.
  OmfRecord& Name(std::string_view name);
  OmfRecord& Bytes(const std::vector<uint8_t>& bytes);

  size_t ContentSize() const { return Content.size(); }
  void AppendTo(std::string& file) const;

private:
  uint8_t Type;
  std::vector<uint8_t> Content;
};

} // namespace omf51
