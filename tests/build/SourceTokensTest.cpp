#include "SourceTokens.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using K = TokenKind;
using Tokens = std::vector<SourceToken>;

Tokens Of(std::u16string_view line, SourceLanguage language, bool& inComment) {
  return TokensOfLine(line, language, inComment);
}

TEST(SourceTokensTest, AssemblerLine) {
  bool inComment = false;
  EXPECT_EQ(
      Of(u"LOOP:   MOV  A,#0FFH ; 计数 'x'", SourceLanguage::Assembler, inComment),
      (Tokens{{8, 3, K::Mnemonic}, {13, 1, K::Register}, {16, 4, K::Number}, {21, 8, K::Comment}}));
  EXPECT_EQ(Of(u"        CSEG AT 0", SourceLanguage::Assembler, inComment),
            (Tokens{{8, 4, K::Directive}, {13, 2, K::Directive}, {16, 1, K::Number}}));
  EXPECT_EQ(Of(u"MSG: DB 'a;b', 0", SourceLanguage::Assembler, inComment),
            (Tokens{{5, 2, K::Directive}, {8, 5, K::String}, {15, 1, K::Number}}));
  EXPECT_EQ(Of(u"$INCLUDE (REG51.INC)", SourceLanguage::Assembler, inComment),
            (Tokens{{0, 8, K::Directive}}));
  EXPECT_EQ(Of(u"  mov r7, @r0", SourceLanguage::Assembler, inComment),
            (Tokens{{2, 3, K::Mnemonic}, {6, 2, K::Register}, {11, 2, K::Register}}));
  EXPECT_EQ(Of(u"DB 'open", SourceLanguage::Assembler, inComment),
            (Tokens{{0, 2, K::Directive}, {3, 5, K::String}}));
}

TEST(SourceTokensTest, CBlockCommentCarriesToTheNextLine) {
  bool inComment = false;
  EXPECT_EQ(Of(u"#include <reg51.h>", SourceLanguage::C, inComment),
            (Tokens{{0, 8, K::Preprocessor}}));
  EXPECT_EQ(Of(u"int x = 0x10; /* open", SourceLanguage::C, inComment),
            (Tokens{{0, 3, K::Keyword}, {8, 4, K::Number}, {14, 7, K::Comment}}));
  EXPECT_TRUE(inComment);
  EXPECT_EQ(Of(u"still */ char c = '\\'';", SourceLanguage::C, inComment),
            (Tokens{{0, 8, K::Comment}, {9, 4, K::Keyword}, {18, 4, K::String}}));
  EXPECT_FALSE(inComment);
  EXPECT_EQ(Of(u"s = \"a // b\"; // c", SourceLanguage::C, inComment),
            (Tokens{{4, 8, K::String}, {14, 4, K::Comment}}));
}

TEST(SourceTokensTest, LanguageFollowsTheExtension) {
  EXPECT_EQ(LanguageOfFile("/lab/main.c"), SourceLanguage::C);
  EXPECT_EQ(LanguageOfFile("/lab/REG.H"), SourceLanguage::C);
  EXPECT_EQ(LanguageOfFile("/lab/demo.asm"), SourceLanguage::Assembler);
  EXPECT_EQ(LanguageOfFile("/lab.c/Untitled"), SourceLanguage::Assembler);
}

} // namespace
