#pragma once

#include <string_view>
#include <vector>

// What the editor colours in a line of 8051 assembler or C. Display only: the
// text itself stays plain. Lines are UTF-16, as the edit control holds them.
enum class SourceLanguage { Assembler, C };
enum class TokenKind {
  Mnemonic,
  Register,
  Directive,
  Number,
  String,
  Comment,
  Keyword,
  Preprocessor
};

struct SourceToken {
  int Start = 0;
  int Length = 0;
  TokenKind Kind = TokenKind::Comment;
  bool operator==(const SourceToken&) const = default;
};

// C for .c and .h files, assembler for everything else.
SourceLanguage LanguageOfFile(std::string_view fileName);

// The tokens of one line. inComment carries an open C block comment from one
// line to the next; assembler lines ignore it.
std::vector<SourceToken> TokensOfLine(std::u16string_view line, SourceLanguage language,
                                      bool& inComment);
