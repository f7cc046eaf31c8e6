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
// OR XOR | ^ ||; AND & &&; NOT; EQ NE LT LE GT GE = <> < <= > >= == !=; + -;
// * / MOD SHL SHR % << >>; unary + - HIGH LOW ~ !; byte.bit; parentheses.
// Comparisons and the logical operators give 0FFFFH for true. Nesting deeper
// than 100 levels, like any other error, throws AsmFailure.
Value Evaluate(TokenRange range, SymbolScope& scope);

// Splits tokens at the commas outside parentheses.
std::vector<TokenRange> SplitAtCommas(TokenRange range);

} // namespace omf51
