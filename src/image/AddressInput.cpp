#include "AddressInput.h"

#include "HexText.h"
#include "TOmf.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

bool IsHexDigit(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// An optional sign and decimal digits, nothing else, within 32 bits.
bool ParseDecimal(std::string_view text, int32_t& value) {
  const bool plus = !text.empty() && text.front() == '+';
  if (plus) text.remove_prefix(1);
  if (text.empty() || (plus && text.front() == '-')) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string AddressInput::ShownText() const {
  if (!Hexadecimal) return std::to_string(Value);
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<uint32_t>(Value));
  return text;
}

bool AddressInput::AcceptsCharacter(char32_t c) {
  if (c == ' ') return false;
  return c < '0' || IsHexDigit(c);
}

std::vector<std::string> AddressInput::LabelLines(const TOmf& omf) {
  std::vector<std::string> lines;
  for (const TSymbolRec* label : omf.CodeLabels()) {
    char address[16];
    std::snprintf(address, sizeof address, "Addr(%.4X), ", label->Addr);
    lines.push_back(address + label->Name);
  }
  return lines;
}

std::string AddressInput::AddressOfLabelLine(std::string_view line) {
  return std::string(line.substr(std::min<size_t>(5, line.size()), 4));
}

bool AddressInput::Accept(const std::string& text, std::string& error) {
  History.push_back(text);
  if (Hexadecimal) {
    Value = HexToInt(text);
    return true;
  }
  int32_t value = 0;
  if (!ParseDecimal(text, value)) {
    error = "'" + text + "' is not a valid integer value";
    return false;
  }
  Value = value;
  return true;
}
