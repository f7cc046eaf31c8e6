#include "OmfRecord.h"

namespace omf51 {

OmfRecord& OmfRecord::Byte(uint8_t value) {
  Content.push_back(value);
  return *this;
}

OmfRecord& OmfRecord::Word(uint16_t value) {
  Content.push_back(static_cast<uint8_t>(value));
  Content.push_back(static_cast<uint8_t>(value >> 8));
  return *this;
}

OmfRecord& OmfRecord::Name(std::string_view name) {
  const size_t n = name.size() < 255 ? name.size() : 255;
  Content.push_back(static_cast<uint8_t>(n));
  Content.insert(Content.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(n));
  return *this;
}

OmfRecord& OmfRecord::Bytes(const std::vector<uint8_t>& bytes) {
  Content.insert(Content.end(), bytes.begin(), bytes.end());
  return *this;
}

void OmfRecord::AppendTo(std::string& file) const {
  const size_t length = Content.size() + 1;
  const uint8_t head[3] = {Type, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8)};
  uint8_t sum = 0;
  for (uint8_t b : head) {
    sum = static_cast<uint8_t>(sum + b);
    file.push_back(static_cast<char>(b));
  }
  for (uint8_t b : Content) {
    sum = static_cast<uint8_t>(sum + b);
    file.push_back(static_cast<char>(b));
  }
  file.push_back(static_cast<char>(static_cast<uint8_t>(-sum)));
}

} // namespace omf51
