#pragma once

#include "Lexer.h"
#include "Value.h"

#include <string>
#include <vector>

namespace omf51 {

// What an expression may name: symbols and the location counter ($).
class SymbolScope {
public:
  virtual ~SymbolScope() = default;
  // Unknown() for a symbol not defined yet in the first pass; throws
  // AsmFailure for one that stays undefined.
  virtual Value SymbolValue(const std::string& name) = 0;
  virtual Value LocationCounter() = 0;
};

// A range of tokens holding one operand or one list item.
struct TokenRange {
  const Token* Begin = nullptr;
  const Token* End = nullptr;
  bool Empty() const { return Begin == End; }
  size_t Size() const { return static_cast<size_t>(End - Begin); }
};

// Evaluates an expression with 16-bit arithmetic. Precedence, loosest first:
// OR XOR; AND; NOT; + -; * / MOD SHL SHR; unary + - HIGH LOW; byte.bit;
// parentheses. Throws AsmFailure on any error.
Value Evaluate(TokenRange range, SymbolScope& scope);

// Splits tokens at the commas outside parentheses.
std::vector<TokenRange> SplitAtCommas(TokenRange range);

} // namespace omf51
