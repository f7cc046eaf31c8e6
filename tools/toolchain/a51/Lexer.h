#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace omf51 {

struct Token {
  enum class Kind : uint8_t { Name, Number, String, Punct };
  Kind Type = Kind::Punct;
  std::string Text; // names upper case; string characters without quotes; operators
  uint32_t Number = 0;
  bool Bad = false; // a malformed number or an unterminated string
  char Op = 0;      // a one-character punctuation; 0 for the two-character operators

  bool Is(char op) const { return Type == Kind::Punct && Op == op; }
  bool IsOperator(std::string_view op) const { return Type == Kind::Punct && Text == op; }
  bool IsName(std::string_view name) const { return Type == Kind::Name && Text == name; }
};

// Splits one source line into tokens up to its comment (';' outside quotes).
// Numbers take the suffixes H, B, O, Q and D or the prefixes 0x and 0b;
// <> <= >= == != && || << >> are single tokens; names are upper-cased, so
// mnemonics and symbols ignore case. Throws AsmFailure on characters that
// cannot start a token.
std::vector<Token> Tokenize(std::string_view line);

} // namespace omf51
