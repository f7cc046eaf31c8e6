#include "BuildMessages.h"

#include "../image/RecordingUI.h"
#include "../platform/TempDir.h"
#include "TextEncoding.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

constexpr const char* AsmHeader =
    "A51 MACRO ASSEMBLER  DEMO                                                                "
    "  12/11/2026 03:00:00 PAGE     1";
constexpr const char* CHeader = "C51 COMPILER V1.0    MAIN";

// A listed source line: location and code in columns 1-16, the include mark in
// 17, the line number in 20-24 and the text from 30.
std::string Listed(const std::string& code, int number, const std::string& text,
                   bool included = false) {
  std::string line = code;
  line.resize(16, ' ');
  line += included ? "=  " : "   ";
  const std::string n = std::to_string(number);
  line += std::string(5 - n.size(), ' ') + n + "     " + text;
  return line;
}

std::string Join(const Lines& lines, const std::string& end = "\r\n") {
  std::string text;
  for (const std::string& line : lines)
    text += line + end;
  return text;
}

class BuildMessagesTest : public ::testing::Test {
protected:
  Lines ListingMessages(const Lines& listing, const std::string& source = "/lab/demo.asm") {
    std::istringstream in(Join(listing));
    Messages.ParseListing(in, source);
    return Messages.Lines;
  }

  RecordingUI UI;
  BuildMessages Messages{UI};
  TempDir Dir;
};

TEST_F(BuildMessagesTest, CompilerMessageNamesTheSourceAndTheLine) {
  BuildMessages windows(UI, PathConventions::Windows());
  std::istringstream in(Join({CHeader, "",
                              "*** ERROR C202 IN LINE 7 OF MAIN.C: 'x': undefined "
                              "identifier"}));
  windows.ParseListing(in, "C:\\LAB\\MAIN.C");
  EXPECT_EQ(windows.Lines, Lines{"C:\\LAB\\MAIN.C :ERROR IN (LINE 7), 'x': undefined identifier"});
  EXPECT_EQ(windows.Errors, 1);
}

TEST_F(BuildMessagesTest, AssemblerMessageTakesTheCountedLineNotTheNumbersItWrites) {
  const Lines listing = {
      AsmHeader,
      "",
      "LOC  OBJ            LINE     SOURCE",
      Listed("", 1, "$INCLUDE (REG.INC)"),
      Listed("", 1, "P0 DATA 80H", true),
      Listed("0000 7401", 2, "MOV A,#1"),
      "*** ERROR #A1 IN 99 (demo.asm, LINE 99): SYNTAX ERROR",
      "*** ERROR short",
      Listed("0002 80FE", 3, "SJMP $"),
      "\f" + std::string(AsmHeader),
      "",
      Listed("", 4, "; Chinese comment"),
      "*** WARNING #A41 IN 4 (demo.asm, LINE 4): MISSING 'END' STATEMENT",
  };
  EXPECT_EQ(ListingMessages(listing),
            (Lines{"/lab/demo.asm :ERROR IN (LINE 2), SYNTAX ERROR",
                   "/lab/demo.asm :WARNING IN (LINE 4), MISSING 'END' STATEMENT"}));
  EXPECT_EQ(Messages.Errors, 1);
  EXPECT_EQ(Messages.Warnings, 1);
}

TEST_F(BuildMessagesTest, PageHeaderOfASourceNamedWithDigitsIsNotCounted) {
  const std::string header = "A51 MACRO ASSEMBLER  12345                    PAGE     1";
  EXPECT_EQ(ListingMessages({header, Listed("", 1, "NOP"), "\f" + header,
                             "*** ERROR #A1 IN 1 (12345.asm, LINE 1): X"}),
            Lines{"/lab/demo.asm :ERROR IN (LINE 1), X"});
}

// From line 1000 on, a warning's "IN 1000" falls into the line-number columns.
TEST_F(BuildMessagesTest, MessageAboutALineFromAThousandOnIsNotCounted) {
  EXPECT_EQ(
      ListingMessages({AsmHeader, Listed("", 1000, "NOP"),
                       "*** WARNING #A40 IN 1000 (demo.asm, LINE 1000): X", Listed("", 1001, "NOP"),
                       "*** WARNING #A40 IN 1001 (demo.asm, LINE 1001): Y"}),
      (Lines{"/lab/demo.asm :WARNING IN (LINE 1), X", "/lab/demo.asm :WARNING IN (LINE 2), Y"}));
}

TEST_F(BuildMessagesTest, ListingsWithAnyLineEndsGiveTheSameMessages) {
  const Lines listing = {AsmHeader, Listed("0000 00", 1, "NOP"),
                         "*** ERROR #A1 IN 1 (demo.asm, LINE 1): SYNTAX ERROR"};
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    BuildMessages messages(UI);
    std::istringstream in(Join(listing, end));
    messages.ParseListing(in, "/lab/demo.asm");
    EXPECT_EQ(messages.Lines, Lines{"/lab/demo.asm :ERROR IN (LINE 1), SYNTAX ERROR"})
        << testing::PrintToString(end);
  }
}

TEST_F(BuildMessagesTest, ListingOfNeitherToolGivesNothing) {
  EXPECT_TRUE(ListingMessages({"SOME OTHER TOOL", "*** ERROR #A1 IN 1 (x, LINE 1): X"}).empty());
  EXPECT_TRUE(ListingMessages({}).empty());
  EXPECT_EQ(Messages.Errors, 0);
}

TEST_F(BuildMessagesTest, GbkMessageTextIsShownAsUtf8) {
  const std::string text = Utf8ToGbk("'x': 未定义");
  EXPECT_EQ(
      ListingMessages({CHeader, "*** WARNING C1 IN LINE 3 OF demo.c: " + text}, "/lab/demo.c"),
      Lines{"/lab/demo.c :WARNING IN (LINE 3), 'x': 未定义"});
}

TEST_F(BuildMessagesTest, CompilerMessageAboutAnIncludedFileNamesThatFile) {
  const auto source = Dir.Write("oled.c", "");
  const auto header = Dir.Write("OLED/Oled.H", "");
  const Lines lines = ListingMessages(
      {CHeader, "*** ERROR C202 IN LINE 11 OF oled\\oled.h: 'P9': undefined identifier",
       "*** WARNING C280 IN LINE 4 OF OLED.C: 'i': unreferenced local variable"},
      source.string());
  EXPECT_EQ(lines,
            (Lines{header.string() + " :ERROR IN (LINE 11), 'P9': undefined identifier",
                   source.string() + " :WARNING IN (LINE 4), 'i': unreferenced local variable"}));
  const MessageTarget target = TargetOfMessage(lines[0], "");
  EXPECT_EQ(target.FileName, header.string());
  EXPECT_EQ(target.Line, 11);
}

TEST_F(BuildMessagesTest, CompilerMessageWithoutALineGetsNone) {
  const Lines lines = ListingMessages(
      {CHeader, "*** ERROR C318 OF App\\x.c: can't open file 'App\\x.c'"}, "/lab/App/x.c");
  EXPECT_EQ(lines, Lines{"/lab/App/x.c :ERROR, can't open file 'App\\x.c'"});
  EXPECT_EQ(Messages.Errors, 1);
  const MessageTarget target = TargetOfMessage(lines[0], "");
  EXPECT_EQ(target.FileName, "/lab/App/x.c");
  EXPECT_EQ(target.Line, -1);
}

TEST_F(BuildMessagesTest, MissingListingIsOneErrorAndTheMapIsNotRead) {
  Dir.Write("demo.M51", "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)\r\n");
  Messages.Collect({(Dir.Path / "demo.asm").string()}, (Dir.Path / "demo.asm").string());
  EXPECT_EQ(UI.Messages, Lines{"程序中包含文件未找到，产生错误"});
  EXPECT_EQ(Messages.Lines, Lines{"COMPILE COMPLETED,   0 WARNING(S),   1 ERROR(S)"});
  EXPECT_FALSE(Messages.CompileOK);
}

TEST_F(BuildMessagesTest, WarningsOnlyAddTheMapSummaryUnchanged) {
  const std::string summary = "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)";
  Dir.Write("prog.asm", "");
  Dir.Write("PROG.LST", Join({AsmHeader, Listed("", 1, "X"), "*** WARNING #A1 IN 1 (p, LINE 1): A",
                              "*** WARNING #A1 IN 1 (p, LINE 1): B"}));
  Dir.Write("PROG.M51", Join({"BL51 LINKER", "", summary}, "\n"));
  Messages.Collect({(Dir.Path / "prog.asm").string()}, (Dir.Path / "prog.asm").string());
  EXPECT_EQ(Messages.Lines.size(), 5u);
  EXPECT_EQ(Messages.Lines[2], "COMPILE COMPLETED,   2 WARNING(S),   0 ERROR(S)");
  EXPECT_EQ(Messages.Lines[3], "");
  EXPECT_EQ(Messages.Lines[4], summary);
  EXPECT_TRUE(Messages.CompileOK);
}

TEST_F(BuildMessagesTest, MapDecidesTheLinkResult) {
  const std::string ok = "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)";
  const std::string fatal = "*** FATAL ERROR L250: CODE SIZE LIMIT IN RESTRICTED VERSION EXCEEDED";
  const struct {
    std::string Map;
    bool CompileOK;
    Lines Added;
  } cases[] = {
      {Join({"header", "", ok}), true, {ok}},
      {Join({"\fheader", ok}, "\r"), true, {ok}},
      {Join({"LINK/LOCATE RUN COMPLETE.  0 WARNING(S), 10 ERROR(S)"}),
       false,
       {"LINK/LOCATE RUN COMPLETE.  0 WARNING(S), 10 ERROR(S)"}},
      {Join({"LINK/LOCATE RUN COMPLETE.  1 WARNING(S),  1 ERROR(S)"}),
       false,
       {"LINK/LOCATE RUN COMPLETE.  1 WARNING(S),  1 ERROR(S)"}},
      {Join({"LINK/LOCATE RUN COMPLETE.  ERROR(S)"}),
       false,
       {"LINK/LOCATE RUN COMPLETE.  ERROR(S)"}},
      {Join({ok, fatal, "    SEGMENT: ?PR?MAIN"}), false, {ok, fatal}},
      {Join({"header", "LINK/LOCATE RUN COMPLETE"}).substr(0, 20),
       false,
       {"产生错误，请查看：/lab/p.M51"}},
  };
  for (const auto& c : cases) {
    BuildMessages messages(UI);
    std::istringstream in(c.Map);
    messages.ParseMap(in, "/lab/p.M51");
    EXPECT_EQ(messages.CompileOK, c.CompileOK) << c.Map;
    EXPECT_EQ(messages.Lines, c.Added) << c.Map;
  }
}

TEST_F(BuildMessagesTest, MissingMapIsReportedAsOneError) {
  Messages.ParseMapFile((Dir.Path / "none.asm").string());
  EXPECT_EQ(Messages.Lines, Lines{"LINK/LOCATE RUN COMPLETE.  1 ERROR"});
  EXPECT_FALSE(Messages.CompileOK);
}

TEST_F(BuildMessagesTest, DoubleClickTargets) {
  const struct {
    std::string Line;
    std::string FileName;
    int Line_;
    bool Error;
  } cases[] = {
      {"C:\\LAB\\MAIN.C :ERROR IN (LINE 7), 'x': undefined identifier", "C:\\LAB\\MAIN.C", 7,
       false},
      {"/lab/a b.asm :WARNING IN (LINE  12), X", "/lab/a b.asm", 12, false},
      {"COMPILE COMPLETED,   2 WARNING(S),   0 ERROR(S)", "", -1, false},
      {"", "", -1, false},
      {"LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)", "/lab/p.m51", -1, false},
      {"LINK/LOCATE RUN COMPLETE.  1 ERROR", "/lab/p.m51", -1, false},
      {"/lab/x.c :ERROR IN (LINE x7), bad", "", -1, true},
      {"/lab/x.c :ERROR IN (LINE), bad", "", -1, true},
      {"/lab/x.c :ERROR, can't open", "/lab/x.c", -1, false},
  };
  for (const auto& c : cases) {
    const MessageTarget target = TargetOfMessage(c.Line, "/lab/p.m51");
    EXPECT_EQ(target.FileName, c.FileName) << c.Line;
    EXPECT_EQ(target.Line, c.Line_) << c.Line;
    EXPECT_EQ(!target.Error.empty(), c.Error) << c.Line;
  }
}

TEST(IsLineNumberFieldTest, BlanksAndDigitsEndingInADigit) {
  EXPECT_TRUE(IsLineNumberField("   12"));
  EXPECT_TRUE(IsLineNumberField("1 2 3"));
  EXPECT_FALSE(IsLineNumberField("  12 "));
  EXPECT_FALSE(IsLineNumberField("  A12"));
  EXPECT_FALSE(IsLineNumberField(""));
}

} // namespace
