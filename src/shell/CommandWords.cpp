#include "CommandWords.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::nullopt_t Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return std::nullopt;
}

} // namespace

std::optional<std::vector<std::string>> SplitCommandWords(std::string_view line,
                                                          std::string* error) {
  constexpr const char* MidWordQuote = "a quote in the middle of a word (quote the whole word)";
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#' && words.empty()) return words;
    std::string word;
    if (line[i] != '"') {
      for (; i < line.size() && !IsBlank(line[i]); ++i) {
        if (line[i] == '"') return Fail(error, MidWordQuote);
        word += line[i];
      }
      words.push_back(std::move(word));
      continue;
    }
    for (++i;; ++i) {
      if (i == line.size()) return Fail(error, "a quote is not closed");
      if (line[i] == '"') break;
      if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
        ++i;
      word += line[i];
    }
    ++i;
    if (i < line.size() && !IsBlank(line[i])) return Fail(error, MidWordQuote);
    words.push_back(std::move(word));
  }
  return words;
}
