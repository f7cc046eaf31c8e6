#include "SourceText.h"

#include "TextEncoding.h"

#include <cctype>

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view Mark = "\xEF\xBB\xBF";
  if (text.substr(0, Mark.size()) == Mark) text.remove_prefix(Mark.size());
  return text;
}

std::vector<std::string> ReadSourceText(std::string_view bytes) {
  const DecodedText decoded = DecodeText(WithoutByteOrderMark(bytes));
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(decoded.Utf8))
    lines.emplace_back(line);
  return lines;
}

std::string UpperExtension(std::string_view name) {
  const size_t start = name.find_last_of("/\\:");
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (start != std::string_view::npos && dot < start)) return {};
  std::string ext(name.substr(dot));
  for (char& c : ext)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}
