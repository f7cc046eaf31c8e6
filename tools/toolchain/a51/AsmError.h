#pragma once

#include <string>

namespace omf51 {

// Message numbers of the assembler's listing ("*** ERROR #A4 ...").
enum AsmError : int {
  ErrSyntax = 1,
  ErrIllegalCharacter = 2,
  ErrBadNumber = 3,
  ErrUndefinedSymbol = 4,
  ErrRedefinedSymbol = 5,
  ErrUnknownInstruction = 6,
  ErrBadOperand = 7,
  ErrTargetOutOfRange = 8,
  ErrValueOutOfRange = 9,
  ErrRelocatableExpression = 10,
  ErrDivisionByZero = 11,
  ErrWrongSegment = 12,
  ErrUndefinedSegment = 13,
  ErrIncludeFile = 14,
  ErrPhase = 15,
  ErrForwardReference = 16,
  ErrBitAddress = 17,
  ErrString = 18,
  ErrRegisterBank = 19,
  ErrAddressOverflow = 20,
  ErrExternalNotAllowed = 21,
  ErrIncludeNesting = 22,
  ErrSourceFile = 23,
  ErrMisplacedConditional = 24,
  ErrOpenConditional = 25,
  ErrOpenMacro = 26,
  ErrMisplacedMacroWord = 27,
  ErrNestingTooDeep = 28,
  ErrExpansionTooLong = 29,
  ErrRecursiveInclude = 30,
  ErrSourceTooLong = 31,
  ErrExpressionNesting = 32,
  ErrPreprocessor = 33,
  WarnUnknownControl = 40,
  WarnMissingEnd = 41,
  WarnTooManyMessages = 42,
};

// The upper-case message text of a number.
const char* AsmErrorText(AsmError error);
bool IsWarning(AsmError error);

// Thrown while a statement is assembled; the statement is abandoned and the
// message listed after it.
struct AsmFailure {
  AsmError Error;
};

} // namespace omf51
