// Whole programs run instruction by instruction; their end states were worked
// out by hand.
#include "CpuState.h"
#include "TCPU.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TCPU> LoadProgram(const std::vector<uint8_t>& code, const char* state = "") {
  auto cpu = std::make_unique<TCPU>();
  cpu->ResetSimulated(0);
  std::copy(code.begin(), code.end(), cpu->Code.begin());
  ApplyState(*cpu, state);
  return cpu;
}

// Executes until the PC reaches stop (the program's SJMP $); false if it
// does not within limit instructions.
bool RunTo(TCPU& cpu, uint16_t stop, int limit = 100000) {
  for (int i = 0; i < limit; ++i) {
    cpu.ExecuteInstruction();
    if (cpu.PC == stop) return true;
  }
  return false;
}

} // namespace

TEST(Programs, BlockMoveInExternalDataAcrossPageBoundaries) {
  auto cpu = LoadProgram({
      0x7A, 0x01, // 0000 MOV R2, #01H      source 01F0H
      0x7B, 0xF0, // 0002 MOV R3, #0F0H
      0x7C, 0x02, // 0004 MOV R4, #02H      destination 02F8H
      0x7D, 0xF8, // 0006 MOV R5, #0F8H
      0x7F, 0x20, // 0008 MOV R7, #20H      32 bytes
      0x8A, 0x83, // 000A LOOP: MOV DPH, R2
      0x8B, 0x82, // 000C MOV DPL, R3
      0xE0,       // 000E MOVX A, @DPTR
      0xA3,       // 000F INC DPTR
      0xAA, 0x83, // 0010 MOV R2, DPH
      0xAB, 0x82, // 0012 MOV R3, DPL
      0x8C, 0x83, // 0014 MOV DPH, R4
      0x8D, 0x82, // 0016 MOV DPL, R5
      0xF0,       // 0018 MOVX @DPTR, A
      0xA3,       // 0019 INC DPTR
      0xAC, 0x83, // 001A MOV R4, DPH
      0xAD, 0x82, // 001C MOV R5, DPL
      0xDF, 0xEA, // 001E DJNZ R7, LOOP
      0x80, 0xFE, // 0020 SJMP $
  });
  for (int i = 0; i < 0x20; ++i)
    cpu->XData[static_cast<size_t>(0x01F0 + i)] = static_cast<uint8_t>(i * 7 + 3);
  auto want = std::make_unique<TCPU>(*cpu);
  for (int i = 0; i < 0x20; ++i)
    want->XData[static_cast<size_t>(0x02F8 + i)] = static_cast<uint8_t>(i * 7 + 3);
  // The last byte moved is 31 * 7 + 3 = DCH, which has five 1 bits.
  ApplyState(*want, "A=DC PSW=01 DPTR=0318 R2=02 R3=10 R4=03 R5=18 R7=00 PC=0020");
  ASSERT_TRUE(RunTo(*cpu, 0x0020));
  EXPECT_EQ(StateDifferences(*cpu, *want), "");
}

TEST(Programs, BubbleSortOfInternalRam) {
  auto cpu = LoadProgram(
      {
          0x7F, 0x07, // 0000 MOV R7, #07H     passes
          0x78, 0x30, // 0002 OUTER: MOV R0, #30H
          0xEF,       // 0004 MOV A, R7
          0xFE,       // 0005 MOV R6, A        comparisons in this pass
          0xE6,       // 0006 INNER: MOV A, @R0
          0x08,       // 0007 INC R0
          0xC3,       // 0008 CLR C
          0x96,       // 0009 SUBB A, @R0
          0x40, 0x07, // 000A JC NEXT          already in order
          0x60, 0x05, // 000C JZ NEXT          equal
          0xE6,       // 000E MOV A, @R0
          0x18,       // 000F DEC R0
          0xC6,       // 0010 XCH A, @R0
          0x08,       // 0011 INC R0
          0xF6,       // 0012 MOV @R0, A
          0xDE, 0xF1, // 0013 NEXT: DJNZ R6, INNER
          0xDF, 0xEB, // 0015 DJNZ R7, OUTER
          0x80, 0xFE, // 0017 SJMP $
      },
      "i30=5A,03,FF,80,03,7F,00,C4");
  auto want = std::make_unique<TCPU>(*cpu);
  // The last comparison is 00H - 03H: A = FDH, borrow and half borrow.
  ApplyState(*want, "i30=00,03,03,5A,7F,80,C4,FF R0=31 R6=00 R7=00 A=FD PSW=C1 PC=0017");
  ASSERT_TRUE(RunTo(*cpu, 0x0017));
  EXPECT_EQ(StateDifferences(*cpu, *want), "");
}

TEST(Programs, PackedBcdAdditionWithDecimalAdjust) {
  // 4789 + 5678 = 10467, low byte first.
  auto cpu = LoadProgram(
      {
          0x78, 0x40, // 0000 MOV R0, #40H     first number and result
          0x79, 0x50, // 0002 MOV R1, #50H     second number
          0x7A, 0x02, // 0004 MOV R2, #02H     bytes
          0xC3,       // 0006 CLR C
          0xE6,       // 0007 LOOP: MOV A, @R0
          0x37,       // 0008 ADDC A, @R1
          0xD4,       // 0009 DA A
          0xF6,       // 000A MOV @R0, A
          0x08,       // 000B INC R0
          0x09,       // 000C INC R1
          0xDA, 0xF8, // 000D DJNZ R2, LOOP
          0xE4,       // 000F CLR A
          0x34, 0x00, // 0010 ADDC A, #00H     the carry digit
          0xF6,       // 0012 MOV @R0, A
          0x80, 0xFE, // 0013 SJMP $
      },
      "i40=89,47 i50=78,56");
  auto want = std::make_unique<TCPU>(*cpu);
  ApplyState(*want, "i40=67,04,01 R0=42 R1=52 R2=00 A=01 PSW=01 PC=0013");
  ASSERT_TRUE(RunTo(*cpu, 0x0013));
  EXPECT_EQ(StateDifferences(*cpu, *want), "");
}

TEST(Programs, SixteenBitMultiplySubroutine) {
  const std::vector<uint8_t> code = {
      0x75, 0x81, 0x2F, // 0000 MOV SP, #2FH
      0x12, 0x00, 0x08, // 0003 LCALL MUL16
      0x80, 0xFE,       // 0006 SJMP $
      // MUL16: R2:R3 times R4:R5 into 60H..63H, low byte first.
      0xEB,             // 0008 MOV A, R3
      0x8D, 0xF0,       // 0009 MOV B, R5
      0xA4,             // 000B MUL AB
      0xF5, 0x60,       // 000C MOV 60H, A
      0x85, 0xF0, 0x61, // 000E MOV 61H, B
      0xEA,             // 0011 MOV A, R2
      0x8D, 0xF0,       // 0012 MOV B, R5
      0xA4,             // 0014 MUL AB
      0x25, 0x61,       // 0015 ADD A, 61H
      0xF5, 0x61,       // 0017 MOV 61H, A
      0xE5, 0xF0,       // 0019 MOV A, B
      0x34, 0x00,       // 001B ADDC A, #00H
      0xF5, 0x62,       // 001D MOV 62H, A
      0xEB,             // 001F MOV A, R3
      0x8C, 0xF0,       // 0020 MOV B, R4
      0xA4,             // 0022 MUL AB
      0x25, 0x61,       // 0023 ADD A, 61H
      0xF5, 0x61,       // 0025 MOV 61H, A
      0xE5, 0xF0,       // 0027 MOV A, B
      0x35, 0x62,       // 0029 ADDC A, 62H
      0xF5, 0x62,       // 002B MOV 62H, A
      0xE4,             // 002D CLR A
      0x33,             // 002E RLC A
      0xF5, 0x63,       // 002F MOV 63H, A
      0xEA,             // 0031 MOV A, R2
      0x8C, 0xF0,       // 0032 MOV B, R4
      0xA4,             // 0034 MUL AB
      0x25, 0x62,       // 0035 ADD A, 62H
      0xF5, 0x62,       // 0037 MOV 62H, A
      0xE5, 0xF0,       // 0039 MOV A, B
      0x35, 0x63,       // 003B ADDC A, 63H
      0xF5, 0x63,       // 003D MOV 63H, A
      0x22,             // 003F RET
  };
  const struct {
    const char* Factors;
    std::array<uint8_t, 4> Product;
  } cases[] = {
      {"R2=FE R3=DC R4=BA R5=98", {0xA0, 0x2A, 0xC3, 0xB9}}, // FEDCH * BA98H = B9C32AA0H
      {"R2=FF R3=FF R4=FF R5=FF", {0x01, 0x00, 0xFE, 0xFF}}, // FFFFH * FFFFH = FFFE0001H
      {"R2=00 R3=FF R4=01 R5=01", {0xFF, 0xFF, 0x00, 0x00}}, // 00FFH * 0101H = 0000FFFFH
  };
  for (const auto& c : cases) {
    auto cpu = LoadProgram(code, c.Factors);
    ASSERT_TRUE(RunTo(*cpu, 0x0006)) << c.Factors;
    EXPECT_EQ((std::array<uint8_t, 4>{cpu->IRam[0x60], cpu->IRam[0x61], cpu->IRam[0x62],
                                      cpu->IRam[0x63]}),
              c.Product)
        << c.Factors;
    EXPECT_EQ(cpu->SfrAt(SFR_SP), 0x2F) << c.Factors;
    EXPECT_EQ(cpu->IRam[0x30], 0x06) << "return address, low byte first";
    EXPECT_EQ(cpu->IRam[0x31], 0x00) << "return address, high byte";
  }
}

TEST(Programs, JumpTableThroughJmpAtAPlusDptr) {
  const std::vector<uint8_t> dispatch = {
      0xEF,             // 0000 MOV A, R7       case number 0..3
      0x23,             // 0001 RL A            two bytes per entry
      0x90, 0x00, 0x10, // 0002 MOV DPTR, #TABLE
      0x73,             // 0005 JMP @A+DPTR
  };
  const std::vector<uint8_t> table = {
      0x01, 0x20, // 0010 TABLE: AJMP CASE0
      0x01, 0x28, // 0012 AJMP CASE1
      0x01, 0x30, // 0014 AJMP CASE2
      0x01, 0x38, // 0016 AJMP CASE3
  };
  // CASEn at 0020H + 8n: MOV 30H, #0AnH; SJMP DONE. DONE at 0040H: SJMP $.
  const struct {
    const char* Selector;
    uint8_t Marker;
  } cases[] = {{"R7=00", 0xA0}, {"R7=01", 0xA1}, {"R7=02", 0xA2}, {"R7=03", 0xA3}};
  for (const auto& c : cases) {
    auto cpu = LoadProgram(dispatch, c.Selector);
    std::copy(table.begin(), table.end(), cpu->Code.begin() + 0x10);
    for (uint8_t n = 0; n < 4; ++n)
      LoadCode(
          *cpu, static_cast<uint16_t>(0x20 + 8 * n),
          {0x75, 0x30, static_cast<uint8_t>(0xA0 + n), 0x80, static_cast<uint8_t>(0x1B - 8 * n)});
    LoadCode(*cpu, 0x0040, {0x80, 0xFE});
    ASSERT_TRUE(RunTo(*cpu, 0x0040, 7)) << c.Selector;
    EXPECT_EQ(cpu->IRam[0x30], c.Marker) << c.Selector;
  }
}
