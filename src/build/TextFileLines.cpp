#include "TextFileLines.h"

#include <system_error>

namespace {

constexpr int EndOfFileMark = 0x1A;

} // namespace

bool TextFileLines::ReadLine(std::string& line) {
  line.clear();
  if (Ended) return false;
  std::streambuf* buffer = In.rdbuf();
  using Traits = std::streambuf::traits_type;
  bool any = false;
  for (;;) {
    const int c = buffer->sbumpc();
    if (c == Traits::eof() || c == EndOfFileMark) {
      Ended = true;
      return any;
    }
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (buffer->sgetc() == '\n') buffer->sbumpc();
      return true;
    }
    if (line.size() < MaxLineLength) line.push_back(static_cast<char>(c));
  }
}

bool OpenTextFile(const std::filesystem::path& path, std::ifstream& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  file.open(path, std::ios::binary);
  return file.is_open();
}
