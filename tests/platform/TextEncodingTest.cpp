#include "TextEncoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, GbkAndUtf8RoundTrip) {
  const std::string utf8 = "宋体 采样";
  const std::string gbk = Utf8ToGbk(utf8);
  EXPECT_EQ(gbk, "\xCB\xCE\xCC\xE5 \xB2\xC9\xD1\xF9");
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(TextEncoding, DecodeTellsUtf8FromGbk) {
  const DecodedText a = DecodeText("; 注释\r\n");
  EXPECT_EQ(a.Encoding, TextEncoding::Utf8);
  const DecodedText b = DecodeText("; \xD7\xA2\xCA\xCD\r\n");
  EXPECT_EQ(b.Encoding, TextEncoding::Gbk);
  EXPECT_EQ(b.Utf8, "; 注释\r\n");
  EXPECT_EQ(EncodeText(b.Utf8, b.Encoding), "; \xD7\xA2\xCA\xCD\r\n");
}

TEST(TextEncoding, Utf8ValidityEdges) {
  const std::pair<std::string, bool> cases[] = {
      {"plain", true},
      {"\xE4\xB8", false},
      {"\xC0\xAF", false}, // overlong
      {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false},
      {"\xF0\x9F\x98\x80", true},
      {"\x80", false},
      {"", true},
  };
  for (const auto& [bytes, valid] : cases)
    EXPECT_EQ(IsValidUtf8(bytes), valid);
}

TEST(TextEncoding, BadGbkBytesBecomeQuestionMarks) {
  EXPECT_EQ(GbkToUtf8("a\xFF"
                      "b"),
            "a?b");
  EXPECT_EQ(GbkToUtf8("a\xCB"), "a?"); // cut in the middle of a character
}
