#include "RegisterText.h"
#include "TCPU.h"

#include <memory>

#include <gtest/gtest.h>

TEST(RegisterText, OneByteRegistersShowTwoDigitsPairsFour) {
  TRegisterDesc one;
  TRegisterDesc pair;
  pair.IsPair = 1;
  EXPECT_EQ(RegisterValueText(one, 0x0A), "0A");
  EXPECT_EQ(RegisterValueText(pair, 0x8C0A), "8C0A");
  EXPECT_EQ(RegisterValueText(pair, 0x0A), "000A");
  EXPECT_EQ(PCText(0x0100), "0100");
}

TEST(RegisterText, SfrsReadFromTheEmulatorLeaveOutTheStateBlockAndInternalRam) {
  auto cpu = std::make_unique<TCPU>();
  cpu->LoadDefaultRegisters();
  // Visible by default: ACC, PSW, DPTR, SP, B, R0-R7, TCON, IE: all come back
  // with the state block.
  EXPECT_TRUE(RegistersToRead(cpu->Registers, true).none());

  std::bitset<128> all;
  for (uint8_t a : {0x80, 0x90, 0xB0, 0x87, 0x89, 0x8A, 0x8C, 0x8B, 0x8D, 0xB8, 0x98, 0x99, 0xC8,
                    0xCA, 0xCB, 0xCC, 0xCD})
    all.set(a - 0x80u);
  EXPECT_EQ(RegistersToRead(cpu->Registers, false), all);

  // A pair read for its low byte brings its high byte when that is an SFR.
  cpu->ClearRegisters();
  cpu->AddRegister("X", true, true, 0x30, 0x8A);
  cpu->AddRegister("Y", true, true, 0x8C, 0x82);
  std::bitset<128> lowOnly;
  lowOnly.set(0x0A);
  EXPECT_EQ(RegistersToRead(cpu->Registers, true), lowOnly);
}
