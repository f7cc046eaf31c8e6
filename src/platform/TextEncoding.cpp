#include "TextEncoding.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace {

std::string Convert(std::string_view in, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char buffer[1024];
  while (left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    const size_t rc = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      // An invalid or cut sequence: mark it and go on after its first byte.
      out += '?';
      ++src;
      --left;
    }
  }
  iconv_close(cd);
  return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    size_t n = 0;
    uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      n = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      n = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      n = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + n >= bytes.size()) return false;
    for (size_t k = 1; k <= n; ++k) {
      const auto d = static_cast<unsigned char>(bytes[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = cp << 6 | (d & 0x3F);
    }
    static constexpr uint32_t Min[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Min[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}

std::string GbkToUtf8(std::string_view gbk) {
  return Convert(gbk, "UTF-8", "GBK");
}

std::string Utf8ToGbk(std::string_view utf8) {
  return Convert(utf8, "GBK", "UTF-8");
}

DecodedText DecodeText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return {std::string(bytes), TextEncoding::Utf8};
  return {GbkToUtf8(bytes), TextEncoding::Gbk};
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
  return encoding == TextEncoding::Gbk ? Utf8ToGbk(utf8) : std::string(utf8);
}
