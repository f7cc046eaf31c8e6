#include "Assembler.h"

#include "InstructionTables.h"

namespace omf51 {

namespace {

bool Plain(const Value& v) {
  return v.Selected == Value::Part::Whole && !v.BitOfByte;
}

} // namespace

void Assembler::Instruction(const std::string& mnemonic, TokenRange operands) {
  ShowLocation();
  std::vector<Operand> ops;
  if (!operands.Empty())
    for (TokenRange r : SplitAtCommas(operands))
      ops.push_back(ParseOperand(r));
  std::string name = mnemonic;
  if ((name == "JMP" || name == "CALL") && ops.size() == 1 &&
      ops[0].Type == Operand::Kind::Expression) {
    if (PassNumber == 1) JumpChoices[Current] = GenericJumpChoice(name, ops[0]);
    static const char* const Chosen[] = {"LJMP", "SJMP", "AJMP", "LCALL", "ACALL"};
    name = Chosen[JumpChoices[Current]];
  }
  const InstructionForm* form = FindForm(name, ops);
  if (!form)
    throw AsmFailure{IsMnemonic(name) || name == "CALL" ? ErrBadOperand : ErrUnknownInstruction};
  Encoded code;
  try {
    Encode(*form, ops, code);
  } catch (const AsmFailure&) {
    // The instruction keeps its size, so the labels after it stay in place.
    Advance(InstrLength[code.Bytes.empty() ? form->Opcode : code.Bytes[0]]);
    throw;
  }
  Emit(code);
}

// JMP and CALL take the shortest form that surely reaches a target known at
// this point: SJMP for a near target in the same segment, AJMP or ACALL for
// one in the same 2 KB block of absolute code, else LJMP or LCALL. The choice
// is made once, in the first pass, so both passes give the same sizes.
int Assembler::GenericJumpChoice(const std::string& mnemonic, const Operand& target) {
  const bool jump = mnemonic == "JMP";
  Value t = Value::Unknown();
  UsedForward = false;
  try {
    t = Evaluate(target.Expr, *this);
  } catch (const AsmFailure&) {
    t = Value::Unknown();
  }
  if (t.Known && !UsedForward && Plain(t)) {
    const uint32_t location = CurrentLocation();
    const bool absolute = t.IsAbsolute() && CurrentSegment < 0;
    const bool sameSegment = absolute || (t.Base == Value::BaseKind::Segment && !t.NamesSegment &&
                                          t.BaseId == CurrentSegmentId());
    const int distance = static_cast<int16_t>(static_cast<uint16_t>(t.Number - (location + 2)));
    if (jump && sameSegment && distance >= -128 && distance <= 127) return 1;
    if (absolute && (t.Number & 0xF800) == ((location + 2) & 0xF800)) return jump ? 2 : 4;
  }
  return jump ? 0 : 3;
}

Operand Assembler::ParseOperand(TokenRange range) {
  if (range.Empty()) throw AsmFailure{ErrSyntax};
  using K = Operand::Kind;
  Operand op;
  const Token* t = range.Begin;
  if (t->Is('#') || t->Is('/')) {
    op.Type = t->Is('#') ? K::Immediate : K::NotBit;
    op.Expr = {t + 1, range.End};
    if (op.Expr.Empty()) throw AsmFailure{ErrSyntax};
    return op;
  }
  if (t->Is('@')) {
    const size_t n = range.Size();
    if (n == 2 && (t[1].IsName("R0") || t[1].IsName("R1"))) {
      op.Type = K::AtRi;
      op.Register = t[1].Text[1] - '0';
    } else if (n == 2 && t[1].IsName("DPTR")) {
      op.Type = K::AtDptr;
    } else if (n == 4 && t[1].IsName("A") && t[2].Is('+') && t[3].IsName("DPTR")) {
      op.Type = K::AtADptr;
    } else if (n == 4 && t[1].IsName("A") && t[2].Is('+') && t[3].IsName("PC")) {
      op.Type = K::AtAPc;
    } else {
      throw AsmFailure{ErrBadOperand};
    }
    return op;
  }
  op.Expr = range;
  if (range.Size() != 1 || t->Type != Token::Kind::Name) return op;
  const std::string& name = t->Text;
  if (name == "A") {
    op.Type = K::A;
  } else if (name == "AB") {
    op.Type = K::AB;
  } else if (name == "C") {
    op.Type = K::C;
  } else if (name == "DPTR") {
    op.Type = K::DPTR;
  } else if (name.size() == 2 && name[0] == 'R' && name[1] >= '0' && name[1] <= '7') {
    op.Type = K::Rn;
    op.Register = name[1] - '0';
  } else if (auto it = Module.Symbols.find(name); it != Module.Symbols.end() &&
                                                  it->second.Type == Symbol::Kind::Register &&
                                                  it->second.DefinedAt >= 0) {
    op.Type = it->second.RegisterKind;
    op.Register = it->second.RegisterNumber;
  }
  return op;
}

void Assembler::Encode(const InstructionForm& form, const std::vector<Operand>& ops, Encoded& out) {
  uint8_t opcode = form.Opcode;
  for (size_t i = 0; i < ops.size(); ++i)
    if (form.Slots[i] == Slot::Rn || form.Slots[i] == Slot::AtRi)
      opcode = static_cast<uint8_t>(opcode + ops[i].Register);
  out.Bytes.push_back(opcode);
  const uint32_t next = CurrentLocation() + InstrLength[opcode];
  // MOV dir,dir stores the source address before the destination.
  const bool swapped = opcode == 0x85;
  for (size_t k = 0; k < ops.size(); ++k) {
    const size_t i = swapped ? ops.size() - 1 - k : k;
    const Slot slot = form.Slots[i];
    if (ops[i].Type != Operand::Kind::Expression && ops[i].Type != Operand::Kind::Immediate &&
        ops[i].Type != Operand::Kind::NotBit)
      continue;
    const Value v = Evaluate(ops[i].Expr, *this);
    switch (slot) {
    case Slot::Dir: PutByte(out, v, FixByte, false); break;
    case Slot::Imm8: PutByte(out, v, FixByte, true); break;
    case Slot::Bit:
    case Slot::NotBit: PutBit(out, v); break;
    case Slot::Imm16:
    case Slot::Addr16: PutWord(out, v); break;
    case Slot::Rel: PutRelative(out, v, next); break;
    case Slot::Addr11: PutAddr11(out, v); break;
    default: break;
    }
  }
}

void Assembler::PutByte(Encoded& out, const Value& v, uint8_t wholeFixup, bool signedAllowed) {
  const uint16_t at = static_cast<uint16_t>(out.Bytes.size());
  out.Bytes.push_back(0);
  if (!v.Known) return;
  if (v.BitOfByte) throw AsmFailure{ErrBadOperand};
  if (v.IsAbsolute()) {
    if (v.Number > 0xFF && !(signedAllowed && v.Number >= 0xFF00))
      throw AsmFailure{ErrValueOutOfRange};
    out.Bytes[at] = static_cast<uint8_t>(v.Number);
    return;
  }
  uint8_t type = wholeFixup;
  if (v.Selected == Value::Part::Low) type = FixLow;
  if (v.Selected == Value::Part::High) type = FixHigh;
  AddFixup(out, at, type, v);
}

void Assembler::PutBit(Encoded& out, const Value& v) {
  const uint16_t at = static_cast<uint16_t>(out.Bytes.size());
  out.Bytes.push_back(0);
  if (!v.Known) return;
  if (v.IsAbsolute()) {
    if (v.Number > 0xFF) throw AsmFailure{ErrBitAddress};
    out.Bytes[at] = static_cast<uint8_t>(v.Number);
    return;
  }
  if (v.Selected != Value::Part::Whole) throw AsmFailure{ErrBadOperand};
  AddFixup(out, at, v.BitOfByte ? FixConv : FixBit, v);
}

void Assembler::PutWord(Encoded& out, const Value& v) {
  const uint16_t at = static_cast<uint16_t>(out.Bytes.size());
  out.Bytes.push_back(0);
  out.Bytes.push_back(0);
  if (!v.Known) return;
  if (v.BitOfByte) throw AsmFailure{ErrBadOperand};
  if (v.IsAbsolute()) {
    out.Bytes[at] = static_cast<uint8_t>(v.Number >> 8);
    out.Bytes[at + 1] = static_cast<uint8_t>(v.Number);
    return;
  }
  if (v.Selected == Value::Part::Whole)
    AddFixup(out, at, FixWord, v);
  else
    AddFixup(out, static_cast<uint16_t>(at + 1), v.Selected == Value::Part::Low ? FixLow : FixHigh,
             v);
}

void Assembler::PutRelative(Encoded& out, const Value& target, uint32_t next) {
  const uint16_t at = static_cast<uint16_t>(out.Bytes.size());
  out.Bytes.push_back(0);
  if (!target.Known) return;
  if (!Plain(target)) throw AsmFailure{ErrRelocatableExpression};
  const bool sameSegment = (target.IsAbsolute() && CurrentSegment < 0) ||
                           (target.Base == Value::BaseKind::Segment && CurrentSegment >= 0 &&
                            target.BaseId == CurrentSegmentId());
  if (!sameSegment) {
    AddFixup(out, at, FixRelative, target);
    return;
  }
  const int distance = static_cast<int16_t>(static_cast<uint16_t>(target.Number - next));
  if (distance < -128 || distance > 127) throw AsmFailure{ErrTargetOutOfRange};
  out.Bytes[at] = static_cast<uint8_t>(distance);
}

void Assembler::PutAddr11(Encoded& out, const Value& target) {
  const uint16_t at = static_cast<uint16_t>(out.Bytes.size());
  out.Bytes.push_back(0);
  if (!target.Known) return;
  if (!Plain(target)) throw AsmFailure{ErrRelocatableExpression};
  if (!target.IsAbsolute() || CurrentSegment >= 0) {
    AddFixup(out, 0, FixInBlock, target);
    return;
  }
  const uint32_t next = CurrentLocation() + 2;
  if ((target.Number & 0xF800) != (next & 0xF800)) throw AsmFailure{ErrTargetOutOfRange};
  out.Bytes[0] = static_cast<uint8_t>(out.Bytes[0] | ((target.Number >> 3) & 0xE0));
  out.Bytes[at] = static_cast<uint8_t>(target.Number);
}

// The assembler leaves zeros in the field and gives the linker the whole
// addend; an absolute value in relocatable code is an addend to address 0.
void Assembler::AddFixup(Encoded& out, uint16_t at, uint8_t type, const Value& v) {
  AsmFixup f;
  f.At = at;
  f.Type = type;
  f.Offset = v.Number;
  switch (v.Base) {
  case Value::BaseKind::Absolute:
    f.IdBlock = IdSegmentBase;
    f.Id = 0;
    break;
  case Value::BaseKind::Segment:
    f.IdBlock = v.NamesSegment ? IdSegmentBase : IdSegmentSymbol;
    f.Id = static_cast<uint16_t>(v.BaseId);
    break;
  case Value::BaseKind::External:
    f.IdBlock = IdExternal;
    f.Id = static_cast<uint16_t>(v.BaseId);
    break;
  }
  out.Fixups.push_back(f);
}

} // namespace omf51
