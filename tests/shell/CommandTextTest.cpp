#include "CommandWords.h"
#include "MemorySpace.h"
#include "TypedNumber.h"

#include <gtest/gtest.h>

TEST(TypedNumber, HexadecimalWithOrWithoutTrailingH) {
  struct Case {
    const char* Text;
    std::optional<uint32_t> Want;
  };
  const Case cases[] = {
      {"0", 0},
      {"10000", 0x10000},
      {"0FFh", 0xFF},
      {"ffffH", 0xFFFF},
      {"00000000000001", 1},
      {"FFFFFFFF", 0xFFFFFFFF},
      {"100000000", std::nullopt},
      {"", std::nullopt},
      {"H", std::nullopt},
      {"12G", std::nullopt},
      {"-1", std::nullopt},
      {"0x10", std::nullopt},
      {"1 2", std::nullopt},
      {"10HH", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseHexNumber(c.Text), c.Want) << c.Text;
}

TEST(TypedNumber, CountsAreDecimal) {
  EXPECT_EQ(ParseDecimalNumber("10"), 10u);
  EXPECT_EQ(ParseDecimalNumber("0010"), 10u);
  EXPECT_EQ(ParseDecimalNumber("18446744073709551615"), std::nullopt); // 20 digits
  EXPECT_EQ(ParseDecimalNumber("1000000000000000000"), 1000000000000000000u);
  EXPECT_EQ(ParseDecimalNumber("0A"), std::nullopt);
  EXPECT_EQ(ParseDecimalNumber(""), std::nullopt);
  EXPECT_EQ(ParseDecimalNumber("+1"), std::nullopt);
}

TEST(CommandWords, BlanksSeparateQuotesKeepThemHashStartsAComment) {
  using W = std::vector<std::string>;
  EXPECT_EQ(SplitCommandWords("  dump\txdata 0  10 \r"), (W{"dump", "xdata", "0", "10"}));
  EXPECT_EQ(SplitCommandWords("load \"my prog.hex\""), (W{"load", "my prog.hex"}));
  EXPECT_EQ(SplitCommandWords("save code \"\" 0 1"), (W{"save", "code", "", "0", "1"}));
  EXPECT_EQ(SplitCommandWords("   # run --break 40"), W{});
  EXPECT_EQ(SplitCommandWords("load #1.hex"), (W{"load", "#1.hex"}));
  EXPECT_EQ(SplitCommandWords(""), W{});
  EXPECT_EQ(SplitCommandWords("load \"a \\\"b\\\" c\\\\\""), (W{"load", "a \"b\" c\\"}));
  EXPECT_EQ(SplitCommandWords("load \"C:\\lab\\x.hex\""), (W{"load", "C:\\lab\\x.hex"}));
  EXPECT_EQ(SplitCommandWords("load C:\\lab\\x.hex"), (W{"load", "C:\\lab\\x.hex"}));
}

TEST(CommandWords, AQuoteInsideAWordOrLeftOpenIsAnError) {
  struct Case {
    const char* Line;
    const char* Error;
  };
  const char* midWord = "a quote in the middle of a word (quote the whole word)";
  for (const Case& c :
       {Case{"load \"prog.hex", "a quote is not closed"}, Case{"load \"\"bob.hex", midWord},
        Case{"load bob\"x\".hex", midWord}, Case{"load bob.hex\"", midWord},
        Case{"load \"a\"b", midWord}, Case{"load \"a\\\"", "a quote is not closed"}}) {
    std::string error;
    EXPECT_EQ(SplitCommandWords(c.Line, &error), std::nullopt) << c.Line;
    EXPECT_EQ(error, c.Error) << c.Line;
  }
}

TEST(MemorySpace, NamesAndRanges) {
  EXPECT_EQ(SpaceByName("XDATA"), MemorySpace::XData);
  EXPECT_EQ(SpaceByName("sfr"), MemorySpace::Sfr);
  EXPECT_EQ(SpaceByName("data"), std::nullopt);
  EXPECT_EQ(SpaceInfo(MemorySpace::Sfr).First, 0x80u);
  EXPECT_EQ(SpaceInfo(MemorySpace::IRam).Size, 0x100u);
}
