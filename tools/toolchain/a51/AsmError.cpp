#include "AsmError.h"

namespace omf51 {

const char* AsmErrorText(AsmError error) {
  switch (error) {
  case ErrSyntax: return "SYNTAX ERROR";
  case ErrIllegalCharacter: return "ILLEGAL CHARACTER";
  case ErrBadNumber: return "INVALID NUMBER";
  case ErrUndefinedSymbol: return "UNDEFINED SYMBOL";
  case ErrRedefinedSymbol: return "ATTEMPT TO DEFINE AN ALREADY DEFINED SYMBOL";
  case ErrUnknownInstruction: return "UNKNOWN INSTRUCTION OR DIRECTIVE";
  case ErrBadOperand: return "INVALID OPERAND";
  case ErrTargetOutOfRange: return "TARGET OUT OF RANGE";
  case ErrValueOutOfRange: return "VALUE OUT OF RANGE";
  case ErrRelocatableExpression: return "INVALID RELOCATABLE EXPRESSION";
  case ErrDivisionByZero: return "DIVISION BY ZERO";
  case ErrWrongSegment: return "STATEMENT NOT ALLOWED IN THIS SEGMENT";
  case ErrUndefinedSegment: return "UNDEFINED SEGMENT";
  case ErrIncludeFile: return "CANNOT OPEN INCLUDE FILE";
  case ErrPhase: return "PHASE ERROR";
  case ErrForwardReference: return "ILLEGAL FORWARD REFERENCE";
  case ErrBitAddress: return "INVALID BIT ADDRESS";
  case ErrString: return "INVALID STRING";
  case ErrRegisterBank: return "INVALID REGISTER BANK NUMBER";
  case ErrAddressOverflow: return "ADDRESS SPACE OVERFLOW";
  case ErrExternalNotAllowed: return "EXTERNAL SYMBOL NOT ALLOWED";
  case ErrIncludeNesting: return "INCLUDE FILES NESTED TOO DEEPLY";
  case ErrSourceFile: return "CANNOT OPEN SOURCE FILE";
  case ErrMisplacedConditional: return "ELSEIF, ELSE OR ENDIF WITHOUT IF";
  case ErrOpenConditional: return "IF WITHOUT ENDIF";
  case ErrOpenMacro: return "MACRO WITHOUT ENDM";
  case ErrMisplacedMacroWord: return "ENDM, EXITM OR LOCAL OUTSIDE A MACRO";
  case ErrNestingTooDeep: return "IF OR MACRO NESTED TOO DEEPLY";
  case ErrExpansionTooLong: return "MACRO EXPANSION TOO LONG";
  case ErrRecursiveInclude: return "FILE INCLUDES ITSELF";
  case ErrSourceTooLong: return "SOURCE TOO LONG";
  case ErrExpressionNesting: return "EXPRESSION NESTED TOO DEEPLY";
  case ErrPreprocessor: return "INVALID PREPROCESSOR LINE";
  case WarnUnknownControl: return "UNKNOWN CONTROL IGNORED";
  case WarnMissingEnd: return "MISSING 'END' STATEMENT";
  case WarnTooManyMessages: return "FURTHER MESSAGES NOT LISTED";
  }
  return "ERROR";
}

bool IsWarning(AsmError error) {
  return error >= WarnUnknownControl;
}

} // namespace omf51
