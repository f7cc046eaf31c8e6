#include "ProfileFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && blank(s.back()))
    s.remove_suffix(1);
  return s;
}

bool IsHeader(std::string_view line) {
  const std::string_view text = Trim(line);
  return !text.empty() && text.front() == '[';
}

// The name of a header line "[Name]".
std::string_view HeaderName(std::string_view line) {
  const std::string_view text = Trim(line);
  const size_t close = text.find(']');
  return Trim(text.substr(1, close == std::string_view::npos ? text.size() - 1 : close - 1));
}

bool IsKeyLine(std::string_view line) {
  const std::string_view text = Trim(line);
  return !text.empty() && text.front() != ';' && text.find('=') != std::string_view::npos;
}

std::string_view KeyOf(std::string_view line) {
  return Trim(line.substr(0, line.find('=')));
}
std::string_view ValueOf(std::string_view line) {
  return Trim(line.substr(line.find('=') + 1));
}

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : FilePath(std::move(path)) {
  std::string bytes;
  if (!ReadWholeFile(FilePath, bytes)) return;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Lines.push_back(std::move(line));
    start = end + 1;
  }
}

int ProfileFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < Lines.size(); ++i)
    if (IsHeader(Lines[i]) && SameIgnoringCase(HeaderName(Lines[i]), section))
      return static_cast<int>(i);
  return -1;
}

int ProfileFile::FindKey(int header, std::string_view key) const {
  for (size_t i = static_cast<size_t>(header) + 1; i < Lines.size() && !IsHeader(Lines[i]); ++i)
    if (IsKeyLine(Lines[i]) && SameIgnoringCase(KeyOf(Lines[i]), key)) return static_cast<int>(i);
  return -1;
}

int ProfileFile::SectionEnd(int header) const {
  int end = header + 1;
  for (size_t i = static_cast<size_t>(header) + 1; i < Lines.size() && !IsHeader(Lines[i]); ++i)
    if (!Trim(Lines[i]).empty()) end = static_cast<int>(i) + 1;
  return end;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  const int header = FindSection(section);
  const int line = header < 0 ? -1 : FindKey(header, key);
  if (line < 0) return std::string(fallback);
  return std::string(ValueOf(Lines[static_cast<size_t>(line)]));
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const int header = FindSection(section);
  const int line = header < 0 ? -1 : FindKey(header, key);
  if (line < 0) return fallback;
  const std::string_view value = ValueOf(Lines[static_cast<size_t>(line)]);
  const bool negative = !value.empty() && value.front() == '-';
  long long n = 0;
  for (char c : value.substr(negative ? 1 : 0)) {
    if (c < '0' || c > '9') break;
    n = std::min<long long>(n * 10 + (c - '0'), INT_MAX);
  }
  return static_cast<int>(negative ? -n : n);
}

int ProfileFile::KeyCount(std::string_view section) const {
  const int header = FindSection(section);
  if (header < 0) return 0;
  int count = 0;
  for (size_t i = static_cast<size_t>(header) + 1; i < Lines.size() && !IsHeader(Lines[i]); ++i)
    if (IsKeyLine(Lines[i])) ++count;
  return count;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  std::string entry = std::string(key) + "=" + std::string(value);
  const int header = FindSection(section);
  if (header < 0) {
    if (!Lines.empty() && !Trim(Lines.back()).empty()) Lines.emplace_back();
    Lines.push_back("[" + std::string(section) + "]");
    Lines.push_back(std::move(entry));
    return;
  }
  if (const int line = FindKey(header, key); line >= 0) {
    Lines[static_cast<size_t>(line)] = std::move(entry);
    return;
  }
  Lines.insert(Lines.begin() + SectionEnd(header), std::move(entry));
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

bool ProfileFile::Save() const {
  std::string bytes;
  for (const std::string& line : Lines)
    bytes += line + "\n";
  std::error_code ec;
  if (FilePath.has_parent_path()) std::filesystem::create_directories(FilePath.parent_path(), ec);
  return WriteFileAtomically(FilePath, bytes);
}

std::filesystem::path ProfileFilePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::filesystem::path base = config ? config : "";
  if (base.empty()) {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home ? home : "") / ".config";
  }
  return base / "corvel" / "mciden.ini";
}
