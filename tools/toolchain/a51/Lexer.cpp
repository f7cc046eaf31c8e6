#include "Lexer.h"

#include "AsmError.h"

#include <cctype>

namespace omf51 {

namespace {

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '?';
}

bool IsNameChar(char c) {
  return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

bool IsBinaryDigits(std::string_view digits) {
  return !digits.empty() && digits.find_first_not_of("01") == std::string_view::npos;
}

// Reads the digits of a number with its radix suffix (1FH, 101B, 17Q, 17O, 99D)
// or the C prefixes 0x and 0b; Bad when a digit does not fit the radix or the
// value passes 16 bits. 0B1H stays the hex number B1H.
Token NumberToken(std::string_view text) {
  Token token;
  token.Type = Token::Kind::Number;
  std::string digits;
  for (char c : text)
    digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  token.Text = digits;
  unsigned radix = 10;
  if (digits.size() > 2 && digits[0] == '0' && digits[1] == 'X') {
    radix = 16;
    digits.erase(0, 2);
  } else if (digits.size() > 2 && digits[0] == '0' && digits[1] == 'B' &&
             IsBinaryDigits(std::string_view(digits).substr(2))) {
    radix = 2;
    digits.erase(0, 2);
  } else {
    switch (digits.back()) {
    case 'H': radix = 16; break;
    case 'B': radix = 2; break;
    case 'O':
    case 'Q': radix = 8; break;
    case 'D': radix = 10; break;
    default: digits += ' ';
    }
    digits.pop_back();
  }
  if (digits.empty()) token.Bad = true;
  uint32_t value = 0;
  for (char c : digits) {
    const unsigned d = std::isdigit(static_cast<unsigned char>(c)) ? unsigned(c - '0')
                       : (c >= 'A' && c <= 'F')                    ? unsigned(c - 'A' + 10)
                                                                   : 99u;
    if (d >= radix || value > 0xFFFF) {
      token.Bad = true;
      break;
    }
    value = value * radix + d;
  }
  if (value > 0xFFFF) token.Bad = true;
  token.Number = value & 0xFFFF;
  return token;
}

bool IsTwoCharOperator(std::string_view pair) {
  static constexpr std::string_view Operators[] = {
      "<>", "<=", ">=", "==", "!=", "&&", "||", "<<", ">>"};
  for (std::string_view op : Operators)
    if (pair == op) return true;
  return false;
}

} // namespace

std::vector<Token> Tokenize(std::string_view line) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ';') break;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == 0x1A) {
      ++i;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      const size_t start = i;
      while (i < line.size() && std::isalnum(static_cast<unsigned char>(line[i])))
        ++i;
      tokens.push_back(NumberToken(line.substr(start, i - start)));
    } else if (IsNameStart(c)) {
      Token token;
      token.Type = Token::Kind::Name;
      while (i < line.size() && IsNameChar(line[i]))
        token.Text += static_cast<char>(std::toupper(static_cast<unsigned char>(line[i++])));
      tokens.push_back(std::move(token));
    } else if (c == '\'' || c == '"') {
      Token token;
      token.Type = Token::Kind::String;
      token.Bad = true;
      for (++i; i < line.size(); ++i) {
        if (line[i] == c) {
          if (i + 1 < line.size() && line[i + 1] == c) {
            token.Text += c;
            ++i;
            continue;
          }
          token.Bad = false;
          ++i;
          break;
        }
        token.Text += line[i];
      }
      tokens.push_back(std::move(token));
    } else if (std::string_view(",()+-*/#@.:$=<>&|!~^%").find(c) != std::string_view::npos) {
      Token token;
      const std::string_view pair = line.substr(i, 2);
      if (IsTwoCharOperator(pair)) {
        token.Text = std::string(pair);
        i += 2;
      } else {
        token.Op = c;
        token.Text = std::string(1, c);
        ++i;
      }
      tokens.push_back(std::move(token));
    } else {
      throw AsmFailure{ErrIllegalCharacter};
    }
  }
  return tokens;
}

} // namespace omf51
