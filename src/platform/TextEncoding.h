#pragma once

#include <string>
#include <string_view>

// Texts inside the program are UTF-8. Files keep the encoding they came in:
// Chinese sources and listings are often GBK, and some file formats store GBK.
enum class TextEncoding { Utf8, Gbk };

struct DecodedText {
  std::string Utf8;
  TextEncoding Encoding = TextEncoding::Utf8;
};

bool IsValidUtf8(std::string_view bytes);

// Bytes that do not convert become '?', so nothing is dropped silently.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// UTF-8 when the bytes are valid UTF-8, else GBK.
DecodedText DecodeText(std::string_view bytes);
std::string EncodeText(std::string_view utf8, TextEncoding encoding);
