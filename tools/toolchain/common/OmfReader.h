#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace omf51 {

// One record of an object file: its type and its content (without the
// checksum), pointing into the file image.
struct RecordView {
  uint8_t Type = 0;
  std::string_view Content;
  size_t Offset = 0; // where the record starts in the file
};

// Walks the records of a file image. A record whose length runs past the end
// of the file stops the walk and marks the file truncated.
class RecordWalker {
public:
  explicit RecordWalker(std::string_view file) : File(file) {}
  bool Next(RecordView& record);
  bool Truncated() const { return IsTruncated; }
  size_t Position() const { return Pos; }
  void Seek(size_t offset) { Pos = offset; }

private:
  std::string_view File;
  size_t Pos = 0;
  bool IsTruncated = false;
};

// Bounds-checked reading inside a record's content: reading past the end
// gives zeros and clears Ok, so a damaged record is noticed, never overrun.
class ContentCursor {
public:
  explicit ContentCursor(std::string_view content) : Content(content) {}
  uint8_t Byte();
  uint16_t Word();
  // One byte or a little-endian word, for the standard and the wide records.
  uint16_t Id(bool wide) { return wide ? Word() : Byte(); }
  std::string Name();
  std::string_view Rest();
  bool AtEnd() const { return Pos >= Content.size(); }
  size_t Remaining() const { return Pos < Content.size() ? Content.size() - Pos : 0; }
  bool Ok() const { return Good; }

private:
  std::string_view Content;
  size_t Pos = 0;
  bool Good = true;
};

} // namespace omf51
