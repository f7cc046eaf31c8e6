#include "HexText.h"

#include <gtest/gtest.h>

TEST(HexText, HexToIntReadsDigitsAndCountsOtherCharactersAsZero) {
  const std::pair<const char*, int32_t> cases[] = {
      {"1f", 31},       {"G1", 1},        {"", 0},
      {"FFFF", 0xFFFF}, {"12 4", 0x1204}, {"100000000", 0}, // wraps at 32 bits
      {"FFFFFFFF", -1},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(HexToInt(text), value) << text;
}

TEST(HexText, HexDigitValueOfEveryKindOfCharacter) {
  EXPECT_EQ(HexDigitValue('7'), 7);
  EXPECT_EQ(HexDigitValue('b'), 11);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('g'), 0);
  EXPECT_EQ(HexDigitValue(' '), 0);
}

TEST(HexText, BytesToHexIsUpperCaseWithoutSeparators) {
  const uint8_t bytes[] = {0x02, 0xAB, 0x0F};
  EXPECT_EQ(BytesToHex(bytes, 3), "02AB0F");
  EXPECT_EQ(BytesToHex(bytes, 0), "");
}
