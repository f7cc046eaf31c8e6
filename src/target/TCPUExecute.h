#pragma once

// The simulator's instruction switch. TCPU.h includes this file at its end, so
// ExecuteInstruction is inline: a caller's loop keeps the PC in a register
// instead of storing and reloading it around a call for every instruction.
#include "TCPU.h"

namespace Mcs51 {

inline uint8_t& Acc(TCPU& c) {
  return c.SfrAt(SFR_ACC);
}
inline uint8_t& Psw(TCPU& c) {
  return c.SfrAt(SFR_PSW);
}
inline uint8_t& Sp(TCPU& c) {
  return c.SfrAt(SFR_SP);
}

// Rn of the bank that PSW selects when the instruction starts.
inline uint8_t& Reg(TCPU& c, uint8_t opcode) {
  return c.IRam[(Psw(c) & PSW_RS) | (opcode & 7)];
}
// @Ri reaches all 256 bytes of internal RAM.
inline uint8_t& AtRi(TCPU& c, uint8_t opcode) {
  return c.IRam[Reg(c, opcode & 1)];
}
inline uint8_t& Direct(TCPU& c, uint8_t address) {
  return address < 0x80 ? c.IRam[address] : c.SfrAt(address);
}

struct BitRef {
  uint8_t& Byte;
  uint8_t Mask;
  bool Get() const { return Byte & Mask; }
  void Set(bool value) { Byte = value ? (Byte | Mask) : (Byte & ~Mask); }
  void Toggle() { Byte ^= Mask; }
  // Clears the bit and tells whether it was set.
  bool Clear() {
    const bool was = Get();
    Set(false);
    return was;
  }
};

// Bits 00H-7FH live in internal RAM 20H-2FH, bits 80H-FFH in the SFRs whose
// address is a multiple of 8.
inline BitRef Bit(TCPU& c, uint8_t n) {
  uint8_t& byte = n < 0x80 ? c.IRam[0x20 + (n >> 3)] : c.SfrAt(n & 0xF8);
  return {byte, static_cast<uint8_t>(1u << (n & 7))};
}

inline uint16_t Jump(uint16_t next, uint8_t rel) {
  return static_cast<uint16_t>(next + static_cast<int8_t>(rel));
}

inline uint8_t Flag(bool value, uint8_t bit) {
  return value ? bit : 0;
}

inline void AddToA(TCPU& c, uint8_t v, unsigned carryIn) {
  uint8_t& a = Acc(c);
  uint8_t& psw = Psw(c);
  const unsigned sum = a + v + carryIn;
  const bool carry = sum > 0xFF;
  const bool halfCarry = (a & 0x0F) + (v & 0x0F) + carryIn > 0x0F;
  const bool carryInto7 = (a & 0x7F) + (v & 0x7F) + carryIn > 0x7F;
  psw = static_cast<uint8_t>((psw & ~(PSW_CY | PSW_AC | PSW_OV)) | Flag(carry, PSW_CY) |
                             Flag(halfCarry, PSW_AC) | Flag(carryInto7 != carry, PSW_OV));
  a = static_cast<uint8_t>(sum);
}

inline void SubtractFromA(TCPU& c, uint8_t v) {
  uint8_t& a = Acc(c);
  uint8_t& psw = Psw(c);
  const unsigned borrowIn = (psw & PSW_CY) ? 1 : 0;
  const bool borrow = v + borrowIn > a;
  const bool halfBorrow = (v & 0x0F) + borrowIn > (a & 0x0F);
  const bool borrowInto7 = (v & 0x7F) + borrowIn > (a & 0x7F);
  psw = static_cast<uint8_t>((psw & ~(PSW_CY | PSW_AC | PSW_OV)) | Flag(borrow, PSW_CY) |
                             Flag(halfBorrow, PSW_AC) | Flag(borrowInto7 != borrow, PSW_OV));
  a = static_cast<uint8_t>(a - v - borrowIn);
}

// CJNE: CY tells first < second; equal operands fall through.
inline uint16_t CompareJump(TCPU& c, uint16_t next, uint8_t first, uint8_t second, uint8_t rel) {
  c.SetCY(first < second);
  return first != second ? Jump(next, rel) : next;
}

inline uint16_t DecrementJump(uint8_t& byte, uint16_t next, uint8_t rel) {
  return --byte != 0 ? Jump(next, rel) : next;
}

inline void Push(TCPU& c, uint8_t value) {
  uint8_t& sp = Sp(c);
  ++sp;
  c.IRam[sp] = value;
}

inline uint8_t Pop(TCPU& c) {
  uint8_t& sp = Sp(c);
  return c.IRam[sp--];
}

// PUSH moves SP before it reads the byte, so PUSH SP stores the moved SP.
inline void PushDirect(TCPU& c, uint8_t address) {
  uint8_t& sp = Sp(c);
  ++sp;
  c.IRam[sp] = Direct(c, address);
}

// POP writes the byte before SP moves, so POP SP ends one below the popped value.
inline void PopDirect(TCPU& c, uint8_t address) {
  const uint8_t value = c.IRam[Sp(c)];
  Direct(c, address) = value;
  --Sp(c);
}

inline uint16_t Call(TCPU& c, uint16_t returnAddress, uint16_t target) {
  Push(c, static_cast<uint8_t>(returnAddress));
  Push(c, static_cast<uint8_t>(returnAddress >> 8));
  return target;
}

inline uint16_t Return(TCPU& c) {
  const uint8_t high = Pop(c);
  return static_cast<uint16_t>(high << 8 | Pop(c));
}

// AJMP and ACALL stay in the 2 KB page of the advanced PC.
inline uint16_t PageTarget(uint16_t next, uint8_t opcode, uint8_t low) {
  return static_cast<uint16_t>((opcode & 0xE0) << 3 | (next & 0xF800) | low);
}

inline void DecimalAdjust(TCPU& c) {
  uint8_t& a = Acc(c);
  if ((a & 0x0F) > 9 || c.GetAC()) {
    if ((a >> 4) == 0x0F) c.SetCY(true);
    a = static_cast<uint8_t>(a + 0x06);
  }
  if ((a >> 4) > 9 || c.GetCY()) {
    if ((a >> 4) > 9) c.SetCY(true);
    a = static_cast<uint8_t>(a + 0x60);
  }
}

inline void Multiply(TCPU& c) {
  uint8_t& a = Acc(c);
  uint8_t& b = c.SfrAt(SFR_B);
  const unsigned product = a * b;
  a = static_cast<uint8_t>(product);
  b = static_cast<uint8_t>(product >> 8);
  c.SetCY(false);
  c.SetOV(product > 0xFF);
}

inline void Divide(TCPU& c) {
  uint8_t& a = Acc(c);
  uint8_t& b = c.SfrAt(SFR_B);
  c.SetCY(false);
  c.SetOV(b == 0);
  if (b == 0) return;
  const uint8_t quotient = a / b;
  b = a % b;
  a = quotient;
}

inline void Exchange(uint8_t& x, uint8_t& y) {
  const uint8_t t = x;
  x = y;
  y = t;
}

inline void ExchangeLowNibbles(uint8_t& x, uint8_t& y) {
  const uint8_t t = x;
  x = static_cast<uint8_t>((x & 0xF0) | (y & 0x0F));
  y = static_cast<uint8_t>((y & 0xF0) | (t & 0x0F));
}

inline void RotateRightThroughCarry(TCPU& c) {
  uint8_t& a = Acc(c);
  const bool low = a & 0x01;
  a = static_cast<uint8_t>(a >> 1 | (c.GetCY() ? 0x80 : 0));
  c.SetCY(low);
}

inline void RotateLeftThroughCarry(TCPU& c) {
  uint8_t& a = Acc(c);
  const bool high = a & 0x80;
  a = static_cast<uint8_t>(a << 1 | (c.GetCY() ? 0x01 : 0));
  c.SetCY(high);
}

// Executes the instruction at pc and returns the next PC. Each case advances
// pc by the instruction's length before any jump: relative jumps, AJMP, ACALL
// and MOVC A,@A+PC all work from the advanced PC. One line per case keeps the
// opcode map readable.
[[gnu::always_inline]] inline uint16_t Execute(TCPU& c, uint16_t pc) {
  const uint8_t op = c.Code[pc];
  const uint8_t b1 = c.Code[static_cast<uint16_t>(pc + 1)];
  const uint8_t b2 = c.Code[static_cast<uint16_t>(pc + 2)];
  const uint16_t next2 = static_cast<uint16_t>(pc + 2);
  const uint16_t next3 = static_cast<uint16_t>(pc + 3);
  uint8_t& a = Acc(c);
  // clang-format off
  switch (op) {
  case 0x00: pc += 1; break;                                                     // NOP
  case 0xA5: pc += 1; break;                                                     // reserved
  case 0x01: case 0x21: case 0x41: case 0x61: case 0x81: case 0xA1: case 0xC1: case 0xE1:
    pc = PageTarget(next2, op, b1); break;                                       // AJMP
  case 0x11: case 0x31: case 0x51: case 0x71: case 0x91: case 0xB1: case 0xD1: case 0xF1:
    pc = Call(c, next2, PageTarget(next2, op, b1)); break;                       // ACALL
  case 0x02: pc = static_cast<uint16_t>(b1 << 8 | b2); break;                    // LJMP
  case 0x12: pc = Call(c, next3, static_cast<uint16_t>(b1 << 8 | b2)); break;    // LCALL
  case 0x22: case 0x32: pc = Return(c); break;                                   // RET, RETI
  case 0x73: pc = static_cast<uint16_t>(c.GetDPTR() + a); break;                 // JMP @A+DPTR
  case 0x80: pc = Jump(next2, b1); break;                                        // SJMP
  case 0x40: pc = c.GetCY() ? Jump(next2, b1) : next2; break;                    // JC
  case 0x50: pc = c.GetCY() ? next2 : Jump(next2, b1); break;                    // JNC
  case 0x60: pc = a == 0 ? Jump(next2, b1) : next2; break;                       // JZ
  case 0x70: pc = a != 0 ? Jump(next2, b1) : next2; break;                       // JNZ
  case 0x20: pc = Bit(c, b1).Get() ? Jump(next3, b2) : next3; break;             // JB
  case 0x30: pc = Bit(c, b1).Get() ? next3 : Jump(next3, b2); break;             // JNB
  case 0x10: pc = Bit(c, b1).Clear() ? Jump(next3, b2) : next3; break;           // JBC
  case 0xB4: pc = CompareJump(c, next3, a, b1, b2); break;                       // CJNE A,#d
  case 0xB5: pc = CompareJump(c, next3, a, Direct(c, b1), b2); break;            // CJNE A,dir
  case 0xB6 ... 0xB7: pc = CompareJump(c, next3, AtRi(c, op), b1, b2); break;    // CJNE @Ri,#d
  case 0xB8 ... 0xBF: pc = CompareJump(c, next3, Reg(c, op), b1, b2); break;     // CJNE Rn,#d
  case 0xD5: pc = DecrementJump(Direct(c, b1), next3, b2); break;                // DJNZ dir
  case 0xD8 ... 0xDF: pc = DecrementJump(Reg(c, op), next2, b1); break;          // DJNZ Rn

  case 0x24: AddToA(c, b1, 0); pc = next2; break;                                // ADD
  case 0x25: AddToA(c, Direct(c, b1), 0); pc = next2; break;
  case 0x26 ... 0x27: AddToA(c, AtRi(c, op), 0); pc += 1; break;
  case 0x28 ... 0x2F: AddToA(c, Reg(c, op), 0); pc += 1; break;
  case 0x34: AddToA(c, b1, c.GetCY()); pc = next2; break;                        // ADDC
  case 0x35: AddToA(c, Direct(c, b1), c.GetCY()); pc = next2; break;
  case 0x36 ... 0x37: AddToA(c, AtRi(c, op), c.GetCY()); pc += 1; break;
  case 0x38 ... 0x3F: AddToA(c, Reg(c, op), c.GetCY()); pc += 1; break;
  case 0x94: SubtractFromA(c, b1); pc = next2; break;                            // SUBB
  case 0x95: SubtractFromA(c, Direct(c, b1)); pc = next2; break;
  case 0x96 ... 0x97: SubtractFromA(c, AtRi(c, op)); pc += 1; break;
  case 0x98 ... 0x9F: SubtractFromA(c, Reg(c, op)); pc += 1; break;
  case 0x04: ++a; pc += 1; break;                                                // INC
  case 0x05: ++Direct(c, b1); pc = next2; break;
  case 0x06 ... 0x07: ++AtRi(c, op); pc += 1; break;
  case 0x08 ... 0x0F: ++Reg(c, op); pc += 1; break;
  case 0xA3: c.SetDPTR(static_cast<uint16_t>(c.GetDPTR() + 1)); pc += 1; break;  // INC DPTR
  case 0x14: --a; pc += 1; break;                                                // DEC
  case 0x15: --Direct(c, b1); pc = next2; break;
  case 0x16 ... 0x17: --AtRi(c, op); pc += 1; break;
  case 0x18 ... 0x1F: --Reg(c, op); pc += 1; break;
  case 0xA4: Multiply(c); pc += 1; break;                                        // MUL AB
  case 0x84: Divide(c); pc += 1; break;                                          // DIV AB
  case 0xD4: DecimalAdjust(c); pc += 1; break;                                   // DA A

  case 0x42: Direct(c, b1) |= a; pc = next2; break;                              // ORL
  case 0x43: Direct(c, b1) |= b2; pc = next3; break;
  case 0x44: a |= b1; pc = next2; break;
  case 0x45: a |= Direct(c, b1); pc = next2; break;
  case 0x46 ... 0x47: a |= AtRi(c, op); pc += 1; break;
  case 0x48 ... 0x4F: a |= Reg(c, op); pc += 1; break;
  case 0x52: Direct(c, b1) &= a; pc = next2; break;                              // ANL
  case 0x53: Direct(c, b1) &= b2; pc = next3; break;
  case 0x54: a &= b1; pc = next2; break;
  case 0x55: a &= Direct(c, b1); pc = next2; break;
  case 0x56 ... 0x57: a &= AtRi(c, op); pc += 1; break;
  case 0x58 ... 0x5F: a &= Reg(c, op); pc += 1; break;
  case 0x62: Direct(c, b1) ^= a; pc = next2; break;                              // XRL
  case 0x63: Direct(c, b1) ^= b2; pc = next3; break;
  case 0x64: a ^= b1; pc = next2; break;
  case 0x65: a ^= Direct(c, b1); pc = next2; break;
  case 0x66 ... 0x67: a ^= AtRi(c, op); pc += 1; break;
  case 0x68 ... 0x6F: a ^= Reg(c, op); pc += 1; break;
  case 0xE4: a = 0; pc += 1; break;                                              // CLR A
  case 0xF4: a = static_cast<uint8_t>(~a); pc += 1; break;                       // CPL A
  case 0xC4: a = static_cast<uint8_t>(a << 4 | a >> 4); pc += 1; break;          // SWAP A
  case 0x03: a = static_cast<uint8_t>(a >> 1 | a << 7); pc += 1; break;          // RR A
  case 0x23: a = static_cast<uint8_t>(a << 1 | a >> 7); pc += 1; break;          // RL A
  case 0x13: RotateRightThroughCarry(c); pc += 1; break;                         // RRC A
  case 0x33: RotateLeftThroughCarry(c); pc += 1; break;                          // RLC A

  case 0x72: c.SetCY(c.GetCY() || Bit(c, b1).Get()); pc = next2; break;         // ORL C,bit
  case 0xA0: c.SetCY(c.GetCY() || !Bit(c, b1).Get()); pc = next2; break;        // ORL C,/bit
  case 0x82: c.SetCY(c.GetCY() && Bit(c, b1).Get()); pc = next2; break;         // ANL C,bit
  case 0xB0: c.SetCY(c.GetCY() && !Bit(c, b1).Get()); pc = next2; break;        // ANL C,/bit
  case 0x92: Bit(c, b1).Set(c.GetCY()); pc = next2; break;                       // MOV bit,C
  case 0xA2: c.SetCY(Bit(c, b1).Get()); pc = next2; break;                       // MOV C,bit
  case 0xB2: Bit(c, b1).Toggle(); pc = next2; break;                             // CPL bit
  case 0xC2: Bit(c, b1).Set(false); pc = next2; break;                           // CLR bit
  case 0xD2: Bit(c, b1).Set(true); pc = next2; break;                            // SETB bit
  case 0xB3: c.SetCY(!c.GetCY()); pc += 1; break;                                // CPL C
  case 0xC3: c.SetCY(false); pc += 1; break;                                     // CLR C
  case 0xD3: c.SetCY(true); pc += 1; break;                                      // SETB C

  case 0x74: a = b1; pc = next2; break;                                          // MOV
  case 0x75: Direct(c, b1) = b2; pc = next3; break;
  case 0x76 ... 0x77: AtRi(c, op) = b1; pc = next2; break;
  case 0x78 ... 0x7F: Reg(c, op) = b1; pc = next2; break;
  case 0x85: Direct(c, b2) = Direct(c, b1); pc = next3; break;                   // source first
  case 0x86 ... 0x87: Direct(c, b1) = AtRi(c, op); pc = next2; break;
  case 0x88 ... 0x8F: Direct(c, b1) = Reg(c, op); pc = next2; break;
  case 0xA6 ... 0xA7: AtRi(c, op) = Direct(c, b1); pc = next2; break;
  case 0xA8 ... 0xAF: Reg(c, op) = Direct(c, b1); pc = next2; break;
  case 0xE5: a = Direct(c, b1); pc = next2; break;
  case 0xE6 ... 0xE7: a = AtRi(c, op); pc += 1; break;
  case 0xE8 ... 0xEF: a = Reg(c, op); pc += 1; break;
  case 0xF5: Direct(c, b1) = a; pc = next2; break;
  case 0xF6 ... 0xF7: AtRi(c, op) = a; pc += 1; break;
  case 0xF8 ... 0xFF: Reg(c, op) = a; pc += 1; break;
  case 0x90: c.SfrAt(SFR_DPH) = b1; c.SfrAt(SFR_DPL) = b2; pc = next3; break;    // MOV DPTR
  case 0xC5: Exchange(a, Direct(c, b1)); pc = next2; break;                      // XCH
  case 0xC6 ... 0xC7: Exchange(a, AtRi(c, op)); pc += 1; break;
  case 0xC8 ... 0xCF: Exchange(a, Reg(c, op)); pc += 1; break;
  case 0xD6 ... 0xD7: ExchangeLowNibbles(a, AtRi(c, op)); pc += 1; break;        // XCHD
  case 0x83: pc += 1; a = c.Code[static_cast<uint16_t>(pc + a)]; break;          // MOVC A,@A+PC
  case 0x93: a = c.Code[static_cast<uint16_t>(c.GetDPTR() + a)]; pc += 1; break; // MOVC A,@A+DPTR
  case 0xE0: a = c.XData[c.GetDPTR()]; pc += 1; break;                           // MOVX
  case 0xF0: c.XData[c.GetDPTR()] = a; pc += 1; break;
  // MOVX @Ri reaches 0000H-00FFH only: P2 does not supply a high byte.
  case 0xE2 ... 0xE3: a = c.XData[Reg(c, op & 1)]; pc += 1; break;
  case 0xF2 ... 0xF3: c.XData[Reg(c, op & 1)] = a; pc += 1; break;
  case 0xC0: PushDirect(c, b1); pc = next2; break;                               // PUSH
  case 0xD0: PopDirect(c, b1); pc = next2; break;                                // POP
  }
  // clang-format on
  // Parity follows A after every instruction, overriding any write to PSW.0.
  // Written as a flip when it differs: storing PSW unconditionally measured
  // a third slower, every instruction then waiting on the previous store.
  uint8_t& psw = Psw(c);
  if ((psw ^ __builtin_parity(a)) & PSW_P) psw ^= PSW_P;
  return pc;
}

} // namespace Mcs51

inline void TCPU::ExecuteInstruction() {
  PC = Mcs51::Execute(*this, PC);
}
