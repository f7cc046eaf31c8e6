#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Numbers typed in commands. Addresses, lengths and byte values are
// hexadecimal with or without a trailing H ("10000", "0FFh"); counts are
// decimal. Anything else, and values past 32 bits, give nothing.
std::optional<uint32_t> ParseHexNumber(std::string_view text);
std::optional<uint64_t> ParseDecimalNumber(std::string_view text);
