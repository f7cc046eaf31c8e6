#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Hexadecimal text conversions shared by the views, the loaders and the link.

// 0-9, A-F and a-f give their value; every other character gives 0.
int HexDigitValue(char c);

// Digits accumulate from the left; non-digits count as 0; wraps at 32 bits.
int32_t HexToInt(std::string_view text);

// Two upper-case digits per byte, high digit first, no separators.
std::string BytesToHex(const uint8_t* bytes, size_t count);
