#include "InstructionSet.h"

#include <iterator>

namespace omf51 {

namespace {

using S = Slot;

// clang-format off
constexpr InstructionForm Forms[] = {
  {"NOP", 0x00, 0, {}},
  {"AJMP", 0x01, 1, {S::Addr11}},      {"ACALL", 0x11, 1, {S::Addr11}},
  {"LJMP", 0x02, 1, {S::Addr16}},      {"LCALL", 0x12, 1, {S::Addr16}},
  {"RR", 0x03, 1, {S::A}},             {"RRC", 0x13, 1, {S::A}},
  {"RL", 0x23, 1, {S::A}},             {"RLC", 0x33, 1, {S::A}},
  {"INC", 0x04, 1, {S::A}},            {"INC", 0x05, 1, {S::Dir}},
  {"INC", 0x06, 1, {S::AtRi}},         {"INC", 0x08, 1, {S::Rn}},
  {"INC", 0xA3, 1, {S::DPTR}},
  {"DEC", 0x14, 1, {S::A}},            {"DEC", 0x15, 1, {S::Dir}},
  {"DEC", 0x16, 1, {S::AtRi}},         {"DEC", 0x18, 1, {S::Rn}},
  {"JBC", 0x10, 2, {S::Bit, S::Rel}},  {"JB", 0x20, 2, {S::Bit, S::Rel}},
  {"JNB", 0x30, 2, {S::Bit, S::Rel}},
  {"RET", 0x22, 0, {}},                {"RETI", 0x32, 0, {}},
  {"ADD", 0x24, 2, {S::A, S::Imm8}},   {"ADD", 0x25, 2, {S::A, S::Dir}},
  {"ADD", 0x26, 2, {S::A, S::AtRi}},   {"ADD", 0x28, 2, {S::A, S::Rn}},
  {"ADDC", 0x34, 2, {S::A, S::Imm8}},  {"ADDC", 0x35, 2, {S::A, S::Dir}},
  {"ADDC", 0x36, 2, {S::A, S::AtRi}},  {"ADDC", 0x38, 2, {S::A, S::Rn}},
  {"SUBB", 0x94, 2, {S::A, S::Imm8}},  {"SUBB", 0x95, 2, {S::A, S::Dir}},
  {"SUBB", 0x96, 2, {S::A, S::AtRi}},  {"SUBB", 0x98, 2, {S::A, S::Rn}},
  {"JC", 0x40, 1, {S::Rel}},           {"JNC", 0x50, 1, {S::Rel}},
  {"JZ", 0x60, 1, {S::Rel}},           {"JNZ", 0x70, 1, {S::Rel}},
  {"SJMP", 0x80, 1, {S::Rel}},
  {"ORL", 0x42, 2, {S::Dir, S::A}},    {"ORL", 0x43, 2, {S::Dir, S::Imm8}},
  {"ORL", 0x44, 2, {S::A, S::Imm8}},   {"ORL", 0x45, 2, {S::A, S::Dir}},
  {"ORL", 0x46, 2, {S::A, S::AtRi}},   {"ORL", 0x48, 2, {S::A, S::Rn}},
  {"ORL", 0x72, 2, {S::C, S::Bit}},    {"ORL", 0xA0, 2, {S::C, S::NotBit}},
  {"ANL", 0x52, 2, {S::Dir, S::A}},    {"ANL", 0x53, 2, {S::Dir, S::Imm8}},
  {"ANL", 0x54, 2, {S::A, S::Imm8}},   {"ANL", 0x55, 2, {S::A, S::Dir}},
  {"ANL", 0x56, 2, {S::A, S::AtRi}},   {"ANL", 0x58, 2, {S::A, S::Rn}},
  {"ANL", 0x82, 2, {S::C, S::Bit}},    {"ANL", 0xB0, 2, {S::C, S::NotBit}},
  {"XRL", 0x62, 2, {S::Dir, S::A}},    {"XRL", 0x63, 2, {S::Dir, S::Imm8}},
  {"XRL", 0x64, 2, {S::A, S::Imm8}},   {"XRL", 0x65, 2, {S::A, S::Dir}},
  {"XRL", 0x66, 2, {S::A, S::AtRi}},   {"XRL", 0x68, 2, {S::A, S::Rn}},
  {"JMP", 0x73, 1, {S::AtADptr}},
  {"MOV", 0x74, 2, {S::A, S::Imm8}},   {"MOV", 0x75, 2, {S::Dir, S::Imm8}},
  {"MOV", 0x76, 2, {S::AtRi, S::Imm8}}, {"MOV", 0x78, 2, {S::Rn, S::Imm8}},
  {"MOV", 0x85, 2, {S::Dir, S::Dir}},  {"MOV", 0x86, 2, {S::Dir, S::AtRi}},
  {"MOV", 0x88, 2, {S::Dir, S::Rn}},   {"MOV", 0x90, 2, {S::DPTR, S::Imm16}},
  {"MOV", 0x92, 2, {S::Bit, S::C}},    {"MOV", 0xA2, 2, {S::C, S::Bit}},
  {"MOV", 0xA6, 2, {S::AtRi, S::Dir}}, {"MOV", 0xA8, 2, {S::Rn, S::Dir}},
  {"MOV", 0xE5, 2, {S::A, S::Dir}},    {"MOV", 0xE6, 2, {S::A, S::AtRi}},
  {"MOV", 0xE8, 2, {S::A, S::Rn}},     {"MOV", 0xF5, 2, {S::Dir, S::A}},
  {"MOV", 0xF6, 2, {S::AtRi, S::A}},   {"MOV", 0xF8, 2, {S::Rn, S::A}},
  {"MOVC", 0x83, 2, {S::A, S::AtAPc}}, {"MOVC", 0x93, 2, {S::A, S::AtADptr}},
  {"MOVX", 0xE0, 2, {S::A, S::AtDptr}}, {"MOVX", 0xE2, 2, {S::A, S::AtRi}},
  {"MOVX", 0xF0, 2, {S::AtDptr, S::A}}, {"MOVX", 0xF2, 2, {S::AtRi, S::A}},
  {"DIV", 0x84, 1, {S::AB}},           {"MUL", 0xA4, 1, {S::AB}},
  {"CPL", 0xB2, 1, {S::Bit}},          {"CPL", 0xB3, 1, {S::C}},
  {"CPL", 0xF4, 1, {S::A}},
  {"CLR", 0xC2, 1, {S::Bit}},          {"CLR", 0xC3, 1, {S::C}},
  {"CLR", 0xE4, 1, {S::A}},
  {"SETB", 0xD2, 1, {S::Bit}},         {"SETB", 0xD3, 1, {S::C}},
  {"CJNE", 0xB4, 3, {S::A, S::Imm8, S::Rel}},   {"CJNE", 0xB5, 3, {S::A, S::Dir, S::Rel}},
  {"CJNE", 0xB6, 3, {S::AtRi, S::Imm8, S::Rel}}, {"CJNE", 0xB8, 3, {S::Rn, S::Imm8, S::Rel}},
  {"PUSH", 0xC0, 1, {S::Dir}},         {"POP", 0xD0, 1, {S::Dir}},
  {"SWAP", 0xC4, 1, {S::A}},           {"DA", 0xD4, 1, {S::A}},
  {"XCH", 0xC5, 2, {S::A, S::Dir}},    {"XCH", 0xC6, 2, {S::A, S::AtRi}},
  {"XCH", 0xC8, 2, {S::A, S::Rn}},     {"XCHD", 0xD6, 2, {S::A, S::AtRi}},
  {"DJNZ", 0xD5, 2, {S::Dir, S::Rel}}, {"DJNZ", 0xD8, 2, {S::Rn, S::Rel}},
};
// clang-format on

bool Fits(Slot slot, const Operand& op) {
  using K = Operand::Kind;
  switch (slot) {
  case S::A: return op.Type == K::A;
  case S::AB: return op.Type == K::AB;
  case S::C: return op.Type == K::C;
  case S::DPTR: return op.Type == K::DPTR;
  case S::Rn: return op.Type == K::Rn;
  case S::AtRi: return op.Type == K::AtRi;
  case S::AtDptr: return op.Type == K::AtDptr;
  case S::AtADptr: return op.Type == K::AtADptr;
  case S::AtAPc: return op.Type == K::AtAPc;
  case S::Imm8:
  case S::Imm16: return op.Type == K::Immediate;
  case S::NotBit: return op.Type == K::NotBit;
  default: return op.Type == K::Expression;
  }
}

} // namespace

bool IsMnemonic(std::string_view name) {
  for (const InstructionForm& f : Forms)
    if (name == f.Mnemonic) return true;
  return false;
}

const InstructionForm* FindForm(std::string_view mnemonic, const std::vector<Operand>& operands) {
  for (const InstructionForm& f : Forms) {
    if (mnemonic != f.Mnemonic || f.Count != operands.size()) continue;
    bool all = true;
    for (size_t i = 0; i < operands.size(); ++i)
      all = all && Fits(f.Slots[i], operands[i]);
    if (all) return &f;
  }
  return nullptr;
}

} // namespace omf51
