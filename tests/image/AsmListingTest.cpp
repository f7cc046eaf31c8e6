#include "AsmListing.h"
#include "TextEncoding.h"

#include <gtest/gtest.h>

namespace {

// One listing line: address in columns 1-4, code from 6, '=' in 17 for an
// included line, line number right-aligned in 20-24, text from column 30.
std::string Line(std::string_view loc, std::string_view obj, int line, std::string_view text,
                 char column17 = ' ') {
  std::string s(29, ' ');
  s.replace(0, loc.size(), loc);
  s.replace(5, obj.size(), obj);
  s[16] = column17;
  if (line > 0) {
    const std::string number = std::to_string(line);
    s.replace(24 - number.size(), number.size(), number);
  }
  return s + std::string(text);
}

// The assembler cuts a line after 120 bytes and continues after 29 blanks.
std::vector<std::string> Wrapped(const std::string& line) {
  return {line.substr(0, 120), std::string(29, ' ') + line.substr(120)};
}

std::string Header(int page) {
  std::string s = "MACRO ASSEMBLER A51  SORT";
  s.resize(110, ' ');
  const std::string number = std::to_string(page);
  return s + "PAGE" + std::string(6 - number.size(), ' ') + number;
}

std::string Join(const std::vector<std::string>& lines, std::string_view eol) {
  std::string text;
  for (const std::string& line : lines)
    text += line + std::string(eol);
  return text;
}

struct Parsed {
  std::vector<std::string> Source;
  std::vector<int32_t> Lines;
};

Parsed Parse(std::string_view listing) {
  Parsed p;
  TLongIntList lines;
  ReadAsmListing(listing, p.Source, lines);
  p.Lines = lines.Values();
  return p;
}

} // namespace

TEST(AsmListing, ColumnRulesOnARealLookingListing) {
  const std::string longText =
      "        LCALL   PUTC            ; sends the character in A to the terminal and waits "
      "until the UART has taken it";
  const std::string longLine = Line("0102", "120000", 6, longText);
  ASSERT_GT(longLine.size(), 120u);
  std::vector<std::string> listing = {
      Header(1),
      "",
      "",
      "MACRO ASSEMBLER V1.0",
      "OBJECT MODULE PLACED IN SORT.OBJ",
      "",
      "LOC  OBJ            LINE     SOURCE",
      "",
      Line("", "", 1, "\xEF\xBB\xBF        NAME    SORT"), // the source's byte-order mark
      Line("----", "", 2, "        CSEG    AT 0100H"),
      Line("", "", 3, "$INCLUDE (REG.INC)"),
      Line("0080", "", 4, "P0      DATA    080H", '='), // from the include file
      Line("0100", "", 5, "START:"),                    // a label: address, no code
      Line("0100", "7830", 6, "        MOV     R0,#30H"),
  };
  for (const std::string& piece : Wrapped(longLine))
    listing.push_back(piece);
  listing.insert(listing.end(), {
                                    "*** ERROR #A45 IN 6 (sort.asm, LINE 6): UNDEFINED SYMBOL",
                                    "\f" + Header(2),
                                    "",
                                    Line("0105", "80FE", 7, "        SJMP    $"),
                                    Line("", "", 8, "").substr(0, 24), // shorter than 28: skipped
                                    Line("", "", 9, "        END"),
                                    "COUNT. . . . . . .  D ADDR   0000H   R   SEG=VARS",
                                    "ASSEMBLY COMPLETE.  0 WARNING(S), 1 ERROR(S)",
                                });
  const std::vector<std::string> source = {
      "        NAME    SORT",    "        CSEG    AT 0100H", "$INCLUDE (REG.INC)", "START:",
      "        MOV     R0,#30H", longLine.substr(29, 91),    "        SJMP    $",  "        END",
  };
  const std::vector<int32_t> lines = {-1, -1, -1, -1, 0x0100, 0x0102, 0x0105, -1};
  for (const char* eol : {"\r\n", "\n"}) {
    const Parsed p = Parse(Join(listing, eol));
    EXPECT_EQ(p.Source, source);
    EXPECT_EQ(p.Lines, lines);
  }
}

TEST(AsmListing, LineNumberFieldAndAddressColumnsMustHoldTheRightCharacters) {
  const auto with = [](std::string line, size_t column, std::string_view text) {
    return line.replace(column - 1, text.size(), text);
  };
  const std::string plain = Line("0000", "00", 1, "        NOP");
  struct Case {
    std::string Line;
    bool Accepted;
    int32_t Address;
  };
  const Case cases[] = {
      {Line("00FF", "E4", 12345, "        CLR A"), true, 0x00FF},
      {Line("00ff", "E4", 1, "        CLR A"), true, -1}, // lower-case digits are no address
      {Line("00FF", "e4", 1, "        CLR A"), true, -1},
      {Line("  30", "", 1, "X       EQU 30H"), true, -1},
      {with(plain, 23, "1a"), false, 0}, // the fifth is no digit
      {with(plain, 20, "x"), false, 0},  // nor blank or digit among the first four
      {plain.substr(0, 27), false, 0},
      {plain.substr(0, 28), true, 0}, // no text at all
  };
  for (const Case& c : cases) {
    const Parsed p = Parse(c.Line + "\r\n");
    ASSERT_EQ(p.Lines.size(), c.Accepted ? 1u : 0u) << c.Line;
    if (c.Accepted) {
      EXPECT_EQ(p.Lines[0], c.Address) << c.Line;
    }
  }
}

TEST(AsmListing, GbkAndUtf8TextIsStoredAsUtf8) {
  const std::string comment = "        MOV     A,#1            ; 计数器清零";
  const Parsed gbk = Parse(Utf8ToGbk(Line("0000", "7401", 1, comment)) + "\r\n");
  EXPECT_EQ(gbk.Source, std::vector<std::string>{comment});

  // A UTF-8 line cut inside a character stays a UTF-8 listing; the broken
  // character is dropped.
  std::string longComment = "        NOP                     ;";
  while (longComment.size() < 100)
    longComment += "排序";
  const std::string line = Line("0002", "00", 2, longComment);
  std::vector<std::string> listing = {Line("0000", "7401", 1, comment)};
  for (const std::string& piece : Wrapped(line))
    listing.push_back(piece);
  const Parsed utf8 = Parse(Join(listing, "\n"));
  ASSERT_EQ(utf8.Source.size(), 2u);
  EXPECT_EQ(utf8.Source[0], comment);
  EXPECT_TRUE(IsValidUtf8(utf8.Source[1]));
  EXPECT_EQ(utf8.Source[1], longComment.substr(0, 90)); // 91 bytes less the cut one
}
