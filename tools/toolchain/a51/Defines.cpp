#include "Defines.h"

#include <cctype>

namespace omf51 {

namespace {

constexpr size_t MaxText = 64 * 1024;
constexpr int MaxDepth = 32;

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '?';
}

bool IsNameChar(char c) {
  return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

} // namespace

std::string_view NameAt(std::string_view text, size_t at) {
  if (at >= text.size() || !IsNameStart(text[at])) return {};
  size_t end = at;
  while (end < text.size() && IsNameChar(text[end]))
    ++end;
  return text.substr(at, end - at);
}

bool Defines::Replace(std::string_view text, std::string& out, int depth,
                      std::map<std::string, bool>& active) const {
  if (depth > MaxDepth) return false;
  char quote = 0;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (out.size() > MaxText) return false;
    if (quote) {
      if (c == quote) quote = 0;
      out += c;
      ++i;
    } else if (c == '\'' || c == '"') {
      quote = c;
      out += c;
      ++i;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      // A number such as 0x1F or 1FH is no name.
      while (i < text.size() && IsNameChar(text[i]))
        out += text[i++];
    } else if (const std::string_view name = NameAt(text, i); !name.empty()) {
      const auto it = Names.find(std::string(name));
      if (it != Names.end() && !active[it->first]) {
        active[it->first] = true;
        const bool fits = Replace(it->second, out, depth + 1, active);
        active[it->first] = false;
        if (!fits) return false;
      } else {
        out += name;
      }
      i += name.size();
    } else {
      out += c;
      ++i;
    }
  }
  return out.size() <= MaxText;
}

std::optional<std::string> Defines::Substitute(std::string_view text) const {
  if (Names.empty()) return std::string(text);
  std::string out;
  std::map<std::string, bool> active;
  if (!Replace(text, out, 0, active)) return std::nullopt;
  return out;
}

std::optional<std::string> Defines::SubstituteCondition(std::string_view text) const {
  std::string tested;
  for (size_t i = 0; i < text.size();) {
    const std::string_view word = NameAt(text, i);
    if (word.empty()) {
      // The digits of a number such as 0x1F are no name.
      if (std::isdigit(static_cast<unsigned char>(text[i])))
        while (i < text.size() && IsNameChar(text[i]))
          tested += text[i++];
      else
        tested += text[i++];
      continue;
    }
    i += word.size();
    if (word != "defined") {
      tested += word;
      continue;
    }
    size_t at = text.find_first_not_of(" \t", i);
    const bool parenthesised = at != std::string_view::npos && text[at] == '(';
    if (parenthesised) at = text.find_first_not_of(" \t", at + 1);
    const std::string_view name = at == std::string_view::npos ? "" : NameAt(text, at);
    if (name.empty()) return std::nullopt;
    at += name.size();
    if (parenthesised) {
      at = text.find_first_not_of(" \t", at);
      if (at == std::string_view::npos || text[at] != ')') return std::nullopt;
      ++at;
    }
    tested += IsDefined(std::string(name)) ? " 1 " : " 0 ";
    i = at;
  }
  return Substitute(tested);
}

} // namespace omf51
