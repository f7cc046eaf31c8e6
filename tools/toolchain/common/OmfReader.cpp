#include "OmfReader.h"

namespace omf51 {

bool RecordWalker::Next(RecordView& record) {
  if (Pos + 3 > File.size()) {
    if (Pos < File.size()) IsTruncated = true;
    return false;
  }
  const auto byteAt = [this](size_t i) { return static_cast<uint8_t>(File[i]); };
  const size_t length = byteAt(Pos + 1) | (byteAt(Pos + 2) << 8);
  if (length == 0 || Pos + 3 + length > File.size()) {
    IsTruncated = true;
    return false;
  }
  record.Type = byteAt(Pos);
  record.Content = File.substr(Pos + 3, length - 1);
  record.Offset = Pos;
  Pos += 3 + length;
  return true;
}

uint8_t ContentCursor::Byte() {
  if (Pos >= Content.size()) {
    Good = false;
    return 0;
  }
  return static_cast<uint8_t>(Content[Pos++]);
}

uint16_t ContentCursor::Word() {
  const uint8_t lo = Byte();
  const uint8_t hi = Byte();
  return static_cast<uint16_t>(lo | hi << 8);
}

std::string ContentCursor::Name() {
  const size_t n = Byte();
  if (n > Remaining()) {
    Good = false;
    Pos = Content.size();
    return {};
  }
  std::string name(Content.substr(Pos, n));
  Pos += n;
  return name;
}

std::string_view ContentCursor::Rest() {
  const std::string_view rest = Content.substr(Pos < Content.size() ? Pos : Content.size());
  Pos = Content.size();
  return rest;
}

} // namespace omf51
