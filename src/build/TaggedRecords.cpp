#include "TaggedRecords.h"

#include "AtomicFile.h"

#include <algorithm>
#include <filesystem>

void ReadTaggedRecords(std::string_view bytes,
                       const std::function<void(const TaggedRecord&)>& onRecord) {
  size_t pos = 0;
  while (bytes.size() - pos >= 3) {
    const auto tag = static_cast<uint8_t>(bytes[pos]);
    const size_t length = static_cast<uint8_t>(bytes[pos + 1]) |
                          static_cast<size_t>(static_cast<uint8_t>(bytes[pos + 2])) << 8;
    pos += 3;
    if (bytes.size() - pos < length) return;
    onRecord({tag, bytes.substr(pos, length)});
    pos += length;
  }
}

std::string_view RecordText(std::string_view data) {
  return data.substr(0, data.find('\0'));
}

bool ReadRecordFile(const std::string& name, std::string& bytes) {
  std::error_code ec;
  return std::filesystem::is_regular_file(name, ec) && ReadWholeFile(name, bytes);
}

void AppendTaggedRecord(std::string& out, uint8_t tag, std::string_view data) {
  const size_t length = std::min(data.size(), MaxRecordLength);
  out += static_cast<char>(tag);
  out += static_cast<char>(length & 0xFF);
  out += static_cast<char>(length >> 8);
  out.append(data.substr(0, length));
}
