#include "CpuState.h"
#include "InstructionTables.h"
#include "TCPU.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

// One instruction (or a few) from a stated state to an expected one. The
// expected state is the starting state changed by After, so any other change
// shows up as a difference.
struct Case {
  const char* Name;
  const char* Before;
  std::vector<uint8_t> Code; // placed at the starting PC
  const char* After;
  int Steps = 1;
};

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    auto cpu = std::make_unique<TCPU>();
    ApplyState(*cpu, c.Before);
    uint16_t at = cpu->PC;
    for (const uint8_t b : c.Code)
      cpu->Code[at++] = b;
    auto want = std::make_unique<TCPU>(*cpu);
    ApplyState(*want, c.After);
    for (int i = 0; i < c.Steps; ++i)
      cpu->ExecuteInstruction();
    EXPECT_EQ(StateDifferences(*cpu, *want), "") << c.Name;
  }
}

} // namespace

TEST(ExecuteInstruction, EdgeCases) {
  ExpectCases({
      {"SUBB A,#0AH from 05H borrows", "A=05", {0x94, 0x0A}, "A=FB PSW=C1 PC=0002"},
      {"SUBB A,#01H from 80H overflows", "A=80", {0x94, 0x01}, "A=7F PSW=45 PC=0002"},
      {"ADD A,#01H to 7FH overflows", "A=7F", {0x24, 0x01}, "A=80 PSW=45 PC=0002"},
      {"ADD A,#01H to FFH carries", "A=FF", {0x24, 0x01}, "A=00 PSW=C0 PC=0002"},
      {"CJNE A,#10H equal: no jump, CY cleared",
       "A=10 PSW=81",
       {0xB4, 0x10, 0x05},
       "PSW=01 PC=0003"},
      {"CJNE @R0,#50H with 20H: jump, CY set",
       "R0=40 i40=20",
       {0xB6, 0x50, 0x05},
       "PSW=80 PC=0008"},
      {"CJNE @R0,#50H with 60H: jump, CY clear",
       "R0=40 i40=60 PSW=80",
       {0xB6, 0x50, 0x05},
       "PSW=00 PC=0008"},
      {"MOV 20H.3,C with CY clear clears the bit", "i20=FF", {0x92, 0x03}, "i20=F7 PC=0002"},
      {"ORL C,03H with 20H=10H leaves CY clear", "i20=10", {0x72, 0x03}, "PC=0002"},
      {"ORL C,03H with 20H=10H leaves CY set", "i20=10 PSW=80", {0x72, 0x03}, "PC=0002"},
      {"MOVX A,@R1 ignores P2", "R1=40 sA0=12 x0040=5A x1240=77", {0xE3}, "A=5A PC=0001"},
      {"DIV AB by zero", "A=12 B=00 PSW=80", {0x84}, "PSW=04 PC=0001"},
      {"MUL AB 80H by 02H", "A=80 B=02 PSW=81", {0xA4}, "A=00 B=01 PSW=04 PC=0001"},
      {"DA A after ADD of 49H and 38H", "A=49", {0x24, 0x38, 0xD4}, "A=87 PSW=44 PC=0003", 2},
      {"LCALL at FFFEH returns to 0001H",
       "PC=FFFE SP=07",
       {0x12, 0x12, 0x34},
       "PC=1234 SP=09 i08=01 i09=00"},
      {"PUSH with SP at FFH wraps", "SP=FF A=5A", {0xC0, 0xE0}, "SP=00 i00=5A PC=0002"},
      {"MOV PSW,#18H switches the bank for MOV A,R0",
       "i00=11 i18=33",
       {0x75, 0xD0, 0x18, 0xE8},
       "PSW=18 A=33 PC=0004",
       2},
  });
}

TEST(ExecuteInstruction, AddAddcSubbInEveryOperandForm) {
  ExpectCases({
      {"ADD A,R5 in bank 1", "i05=55 PSW=08 A=0F R5=01", {0x2D}, "A=10 PSW=49 PC=0001"},
      {"ADD A,B by direct address", "A=01 B=02 iF0=77", {0x25, 0xF0}, "A=03 PC=0002"},
      {"ADD A,ACC doubles A", "A=81", {0x25, 0xE0}, "A=02 PSW=85 PC=0002"},
      {"ADDC A,@R1 in bank 3 above 80H", "PSW=98 A=80 R1=C0 iC0=80", {0x37}, "A=01 PSW=9D PC=0001"},
      {"ADDC A,7FH with carry in", "A=0E i7F=01 PSW=80", {0x35, 0x7F}, "A=10 PSW=41 PC=0002"},
      {"ADDC A,#80H to 80H", "A=80", {0x34, 0x80}, "A=00 PSW=84 PC=0002"},
      {"SUBB A,R0 with borrow in", "A=50 R0=20 PSW=80", {0x98}, "A=2F PSW=41 PC=0001"},
      {"SUBB A,@R0 of FFH from 7FH overflows", "A=7F R0=30 i30=FF", {0x96}, "A=80 PSW=85 PC=0001"},
      {"SUBB A,B equal with borrow in", "A=10 B=10 PSW=80", {0x95, 0xF0}, "A=FF PSW=C0 PC=0002"},
  });
}

TEST(ExecuteInstruction, IncrementDecrementMultiplyDivideAdjust) {
  ExpectCases({
      {"INC A wraps and keeps the flags", "A=FF PSW=C4", {0x04}, "A=00 PC=0001"},
      {"INC P1", "s90=FF", {0x05, 0x90}, "s90=00 PC=0002"},
      {"INC ACC by direct address", "A=00", {0x05, 0xE0}, "A=01 PSW=01 PC=0002"},
      {"INC @R1 at FFH", "R1=FF iFF=7F", {0x07}, "iFF=80 PC=0001"},
      {"INC R7 in bank 2", "PSW=10 R7=41", {0x0F}, "i17=42 PC=0001"},
      {"DEC A wraps", "A=00", {0x14}, "A=FF PC=0001"},
      {"DEC 30H", "i30=01", {0x15, 0x30}, "i30=00 PC=0002"},
      {"DEC @R0 at 80H", "R0=80 i80=00", {0x16}, "i80=FF PC=0001"},
      {"DEC R2 in bank 3", "PSW=18 R2=00", {0x1A}, "i1A=FF PC=0001"},
      {"INC DPTR wraps", "DPTR=FFFF", {0xA3}, "DPTR=0000 PC=0001"},
      {"INC DPTR carries into DPH", "DPTR=12FF", {0xA3}, "DPTR=1300 PC=0001"},
      {"MUL AB without overflow", "A=0F B=11 PSW=84", {0xA4}, "A=FF B=00 PSW=00 PC=0001"},
      {"DIV AB", "A=FB B=12 PSW=84", {0x84}, "A=0D B=11 PSW=01 PC=0001"},
      {"DA A low digit above 9", "A=1A", {0xD4}, "A=20 PSW=01 PC=0001"},
      {"DA A high digit above 9 sets CY", "A=A0", {0xD4}, "A=00 PSW=80 PC=0001"},
      {"DA A on FAH carries from the low step", "A=FA", {0xD4}, "A=60 PSW=80 PC=0001"},
      {"DA A keeps the carry of 99H+99H", "A=32 PSW=C0", {0xD4}, "A=98 PSW=C1 PC=0001"},
  });
}

TEST(ExecuteInstruction, LogicRotateAndParity) {
  ExpectCases({
      {"ORL P1,A", "A=0F s90=F0", {0x42, 0x90}, "s90=FF PC=0002"},
      {"ANL 30H,#3CH", "i30=F0", {0x53, 0x30, 0x3C}, "i30=30 PC=0003"},
      {"XRL A,@R0 above 80H", "A=FF R0=90 i90=0F", {0x66}, "A=F0 PC=0001"},
      {"ANL A,R6 in bank 1", "PSW=08 A=F0 R6=3C", {0x5E}, "A=30 PC=0001"},
      {"ORL A,#02H", "A=01", {0x44, 0x02}, "A=03 PC=0002"},
      {"XRL PSW,#19H: bank follows, P follows A",
       "A=01 PSW=01",
       {0x63, 0xD0, 0x19},
       "PSW=19 PC=0003"},
      {"MOV PSW,#FFH cannot set P against A", "A=00", {0x75, 0xD0, 0xFF}, "PSW=FE PC=0003"},
      {"A5H only refreshes P", "A=01", {0xA5}, "PSW=01 PC=0001"},
      {"CLR A", "A=5A", {0xE4}, "A=00 PC=0001"},
      {"CPL A", "A=5A", {0xF4}, "A=A5 PC=0001"},
      {"RR A leaves CY", "A=01 PSW=80", {0x03}, "A=80 PSW=81 PC=0001"},
      {"RL A", "A=80", {0x23}, "A=01 PSW=01 PC=0001"},
      {"RRC A", "A=02 PSW=80", {0x13}, "A=81 PSW=00 PC=0001"},
      {"RLC A into CY", "A=80", {0x33}, "A=00 PSW=80 PC=0001"},
      {"RLC A from CY", "A=40 PSW=80", {0x33}, "A=81 PSW=00 PC=0001"},
      {"SWAP A", "A=1E", {0xC4}, "A=E1 PC=0001"},
  });
}

TEST(ExecuteInstruction, BitOperationsBelowAndAbove80H) {
  ExpectCases({
      {"SETB 7FH is 2FH.7", "", {0xD2, 0x7F}, "i2F=80 PC=0002"},
      {"CLR P1.7", "s90=FF", {0xC2, 0x97}, "s90=7F PC=0002"},
      {"CPL ACC.0 refreshes P", "A=00", {0xB2, 0xE0}, "A=01 PSW=01 PC=0002"},
      {"SETB PSW.3 switches the bank for the next instruction",
       "i0B=77 i03=11",
       {0xD2, 0xD3, 0xEB},
       "PSW=08 A=77 PC=0003",
       2},
      {"CLR C", "PSW=80", {0xC3}, "PSW=00 PC=0001"},
      {"SETB C", "", {0xD3}, "PSW=80 PC=0001"},
      {"CPL C", "PSW=80", {0xB3}, "PSW=00 PC=0001"},
      {"MOV C,P3.2", "sB0=04", {0xA2, 0xB2}, "PSW=80 PC=0002"},
      {"MOV 00H,C sets the bit", "PSW=80", {0x92, 0x00}, "i20=01 PC=0002"},
      {"ANL C,08H with the bit clear", "PSW=80", {0x82, 0x08}, "PSW=00 PC=0002"},
      {"ANL C,/08H with the bit clear", "PSW=80", {0xB0, 0x08}, "PC=0002"},
      {"ANL C,/08H with the bit set", "PSW=80 i21=01", {0xB0, 0x08}, "PSW=00 PC=0002"},
      {"ORL C,/7FH with the bit clear", "i2F=7F", {0xA0, 0x7F}, "PSW=80 PC=0002"},
      {"JB ACC.7 set", "A=80 PSW=01", {0x20, 0xE7, 0x10}, "PC=0013"},
      {"JNB 00H set", "i20=01", {0x30, 0x00, 0x10}, "PC=0003"},
      {"JBC 14H set: jumps and clears", "i22=10", {0x10, 0x14, 0xFD}, "i22=00 PC=0000"},
      {"JBC 14H clear: falls through", "i22=EF", {0x10, 0x14, 0xFD}, "PC=0003"},
  });
}

TEST(ExecuteInstruction, MovesExchangesAndStack) {
  ExpectCases({
      {"MOV 40H,30H reads the first operand byte",
       "i30=11 i40=22",
       {0x85, 0x30, 0x40},
       "i40=11 PC=0003"},
      {"MOV 7FH,B", "B=5A", {0x85, 0xF0, 0x7F}, "i7F=5A PC=0003"},
      {"MOV 35H,@R1 above 80H", "R1=A0 iA0=3C", {0x87, 0x35}, "i35=3C PC=0002"},
      {"MOV @R0,B at FFH", "R0=FF B=77", {0xA6, 0xF0}, "iFF=77 PC=0002"},
      {"MOV R4,7FH in bank 2", "PSW=10 i7F=09", {0xAC, 0x7F}, "i14=09 PC=0002"},
      {"MOV DPL,R7 in bank 1", "PSW=08 R7=66", {0x8F, 0x82}, "DPL=66 PC=0002"},
      {"MOV @R1,#99H", "R1=7F", {0x77, 0x99}, "i7F=99 PC=0002"},
      {"MOV R3,#42H in bank 3", "PSW=18", {0x7B, 0x42}, "i1B=42 PC=0002"},
      {"MOV A,@R0 above 80H", "R0=C8 iC8=07", {0xE6}, "A=07 PSW=01 PC=0001"},
      {"MOV A,SBUF", "s99=55", {0xE5, 0x99}, "A=55 PC=0002"},
      {"MOV IE,A", "A=03", {0xF5, 0xA8}, "sA8=03 PC=0002"},
      {"MOV @R1,A at E0H is RAM, not ACC", "A=81 R1=E0", {0xF7}, "iE0=81 PC=0001"},
      {"MOV R0,A in bank 1", "A=80 PSW=09", {0xF8}, "i08=80 PC=0001"},
      {"MOV DPTR,#1234H", "", {0x90, 0x12, 0x34}, "DPH=12 DPL=34 PC=0003"},
      {"XCH A,B", "A=01 B=03 PSW=01", {0xC5, 0xF0}, "A=03 B=01 PSW=00 PC=0002"},
      {"XCH A,@R0", "A=11 R0=90 i90=22", {0xC6}, "A=22 i90=11 PC=0001"},
      {"XCH A,R5 in bank 3", "PSW=18 A=0F R5=F0", {0xCD}, "A=F0 i1D=0F PC=0001"},
      {"XCHD A,@R1", "A=12 R1=40 i40=AB", {0xD7}, "A=1B i40=A2 PC=0001"},
      {"MOVX A,@DPTR at FFFFH", "DPTR=FFFF xFFFF=C3", {0xE0}, "A=C3 PC=0001"},
      {"MOVX @DPTR,A", "DPTR=8000 A=03", {0xF0}, "x8000=03 PC=0001"},
      {"MOVX @R0,A ignores P2", "A=03 R0=FF sA0=80", {0xF2}, "x00FF=03 PC=0001"},
      {"MOVC A,@A+DPTR wraps", "PC=1000 A=02 DPTR=FFFF c0001=E7", {0x93}, "A=E7 PC=1001"},
      {"MOVC A,@A+PC uses the advanced PC", "PC=FFFF A=01 c0001=81", {0x83}, "A=81 PC=0000"},
      {"POP B with SP at 00H wraps", "SP=00 i00=44", {0xD0, 0xF0}, "B=44 SP=FF PC=0002"},
      {"POP PSW cannot set P against A", "SP=08 i08=FF", {0xD0, 0xD0}, "PSW=FE SP=07 PC=0002"},
  });
}

TEST(ExecuteInstruction, JumpsCallsAndReturns) {
  ExpectCases({
      {"AJMP takes the page of the advanced PC", "PC=07FE", {0xE1, 0x23}, "PC=0F23"},
      {"ACALL pushes the low byte first",
       "PC=1234 SP=30",
       {0x71, 0x56},
       "PC=1356 SP=32 i31=36 i32=12"},
      {"LJMP", "", {0x02, 0xAB, 0xCD}, "PC=ABCD"},
      {"RET pops the high byte first", "SP=32 i31=36 i32=12", {0x22}, "PC=1236 SP=30"},
      {"RETI is RET", "SP=32 i31=36 i32=12", {0x32}, "PC=1236 SP=30"},
      {"RET with SP at 00H wraps", "SP=00 iFF=34 i00=12", {0x22}, "PC=1234 SP=FE"},
      {"SJMP back from 0000H", "", {0x80, 0xFC}, "PC=FFFE"},
      {"SJMP forward across FFFFH", "PC=FFF0", {0x80, 0x7F}, "PC=0071"},
      {"JZ taken", "A=00", {0x60, 0x05}, "PC=0007"},
      {"JNZ not taken", "A=00", {0x70, 0x05}, "PC=0002"},
      {"JC taken backwards", "PSW=80", {0x40, 0xF0}, "PC=FFF2"},
      {"JNC not taken", "PSW=80", {0x50, 0xF0}, "PC=0002"},
      {"JMP @A+DPTR wraps", "A=10 DPTR=FFF8 PSW=01", {0x73}, "PC=0008"},
      {"CJNE A,B less", "A=10 B=20 PSW=01", {0xB5, 0xF0, 0x10}, "PSW=81 PC=0013"},
      {"CJNE R6,#80H greater in bank 2", "PSW=10 R6=90", {0xBE, 0x80, 0x02}, "PC=0005"},
      {"CJNE R6,#80H equal", "PSW=90 R6=80", {0xBE, 0x80, 0x02}, "PSW=10 PC=0003"},
      {"DJNZ R2 to 01H jumps", "PSW=08 R2=02", {0xDA, 0xFE}, "i0A=01 PC=0000"},
      {"DJNZ R2 to 00H falls through", "PSW=08 R2=01", {0xDA, 0xFE}, "i0A=00 PC=0002"},
      {"DJNZ P1 from 00H wraps and jumps", "s90=00", {0xD5, 0x90, 0xFD}, "s90=FF PC=0000"},
      {"operand of an instruction at FFFFH comes from 0000H",
       "PC=FFFF",
       {0x74, 0x3C},
       "A=3C PC=0001"},
      {"NOP at FFFFH", "PC=FFFF", {0x00}, "PC=0000"},
  });
}

TEST(ExecuteInstruction, RnAddressesTheBankPswSelects) {
  auto cpu = std::make_unique<TCPU>();
  for (int bank = 0; bank < 4; ++bank)
    for (int n = 0; n < 8; ++n) {
      cpu->IRam.fill(0);
      cpu->SfrAt(SFR_PSW) = static_cast<uint8_t>(bank << 3);
      cpu->PC = 0;
      LoadCode(*cpu, 0, {static_cast<uint8_t>(0x78 + n), 0xC3, static_cast<uint8_t>(0xE8 + n)});
      cpu->ExecuteInstruction(); // MOV Rn,#C3H
      std::array<uint8_t, 256> want{};
      want[static_cast<size_t>(bank * 8 + n)] = 0xC3;
      EXPECT_EQ(cpu->IRam, want) << "bank " << bank << " R" << n;
      cpu->SfrAt(SFR_ACC) = 0;
      cpu->ExecuteInstruction(); // MOV A,Rn
      EXPECT_EQ(cpu->SfrAt(SFR_ACC), 0xC3) << "bank " << bank << " R" << n;
    }
}

TEST(ExecuteInstruction, AtRiReachesAll256InternalRamBytes) {
  auto cpu = std::make_unique<TCPU>();
  for (int i = 0; i < 2; ++i)
    for (int address = 0; address < 256; ++address) {
      const int bank = i == 0 ? 0x08 : 0x18;
      const size_t ri = static_cast<size_t>(bank + i);
      for (size_t a = 0; a < 256; ++a)
        cpu->IRam[a] = static_cast<uint8_t>(a ^ 0xA5);
      cpu->IRam[ri] = static_cast<uint8_t>(address);
      cpu->SfrAt(SFR_PSW) = static_cast<uint8_t>(bank);
      cpu->PC = 0;
      LoadCode(*cpu, 0, {static_cast<uint8_t>(0xE6 + i), static_cast<uint8_t>(0x76 + i), 0x5A});
      const uint8_t expectedRead = cpu->IRam[static_cast<size_t>(address)];
      auto want = cpu->IRam;
      want[static_cast<size_t>(address)] = 0x5A;
      cpu->ExecuteInstruction(); // MOV A,@Ri
      EXPECT_EQ(cpu->SfrAt(SFR_ACC), expectedRead) << "@R" << i << " = " << address;
      cpu->ExecuteInstruction(); // MOV @Ri,#5AH
      EXPECT_EQ(cpu->IRam, want) << "@R" << i << " = " << address;
    }
}

// With zero operand bytes a relative jump lands on the next instruction, so
// every opcode but the absolute jumps, calls and returns must advance the PC
// by its length.
TEST(ExecuteInstruction, EveryOpcodeAdvancesThePcByItsLength) {
  auto cpu = std::make_unique<TCPU>();
  for (int op = 0; op < 256; ++op) {
    const bool absolute =
        (op & 0x0F) == 0x01 || op == 0x02 || op == 0x12 || op == 0x22 || op == 0x32 || op == 0x73;
    if (absolute) continue;
    cpu->Code[0x1000] = static_cast<uint8_t>(op);
    cpu->PC = 0x1000;
    cpu->ExecuteInstruction();
    EXPECT_EQ(cpu->PC, 0x1000 + InstrLength[static_cast<size_t>(op)]) << "opcode " << op;
  }
}
