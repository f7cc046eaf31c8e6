#pragma once

#include "Expression.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace omf51 {

// An operand as written: a register form, or an expression with its prefix.
struct Operand {
  enum class Kind : uint8_t {
    A,
    AB,
    C,
    DPTR,
    Rn,
    AtRi,
    AtDptr,
    AtADptr,
    AtAPc,
    Immediate,
    NotBit,
    Expression
  };
  Kind Type = Kind::Expression;
  int Register = 0; // n of Rn and @Ri
  TokenRange Expr;
};

// What an instruction expects in one operand position.
enum class Slot : uint8_t {
  A,
  AB,
  C,
  DPTR,
  Rn,
  AtRi,
  AtDptr,
  AtADptr,
  AtAPc,
  Imm8,
  Imm16,
  Dir,
  Bit,
  NotBit,
  Rel,
  Addr11,
  Addr16
};

// One encoding: the mnemonic, the base opcode (Rn and @Ri add their number)
// and the operand slots.
struct InstructionForm {
  const char* Mnemonic;
  uint8_t Opcode;
  uint8_t Count;
  Slot Slots[3];
};

bool IsMnemonic(std::string_view name);

// The form of mnemonic that takes these operands, or null.
const InstructionForm* FindForm(std::string_view mnemonic, const std::vector<Operand>& operands);

} // namespace omf51
