#include "HexText.h"

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

int32_t HexToInt(std::string_view text) {
  uint32_t result = 0;
  for (char c : text)
    result = result * 16u + static_cast<uint32_t>(HexDigitValue(c));
  return static_cast<int32_t>(result);
}

std::string BytesToHex(const uint8_t* bytes, size_t count) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(count * 2);
  for (size_t i = 0; i < count; ++i) {
    text += Digits[bytes[i] >> 4];
    text += Digits[bytes[i] & 0x0F];
  }
  return text;
}
