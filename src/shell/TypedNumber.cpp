#include "TypedNumber.h"

#include "HexText.h"

#include <cctype>

namespace {

bool IsHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

std::optional<uint32_t> ParseHexNumber(std::string_view text) {
  if (!text.empty() && (text.back() == 'H' || text.back() == 'h')) text.remove_suffix(1);
  while (text.size() > 1 && text.front() == '0')
    text.remove_prefix(1);
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (!IsHexDigit(c)) return std::nullopt;
    value = value * 16u + static_cast<uint32_t>(HexDigitValue(c));
  }
  return value;
}

std::optional<uint64_t> ParseDecimalNumber(std::string_view text) {
  while (text.size() > 1 && text.front() == '0')
    text.remove_prefix(1);
  if (text.empty() || text.size() > 19) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10u + static_cast<uint64_t>(c - '0');
  }
  return value;
}
