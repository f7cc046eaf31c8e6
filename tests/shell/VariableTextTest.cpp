#include "VariableText.h"
#include "TCPU.h"
#include "TSymbolRec.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

TSymbolRec Symbol(uint8_t region, uint16_t address, uint8_t type) {
  TSymbolRec s;
  s.Region = region;
  s.Addr = address;
  s.Type = type;
  return s;
}

} // namespace

TEST(VariableText, LinesAsTheVariableWindowShowsThem) {
  auto cpu = std::make_unique<TCPU>();
  cpu->IRam[0x30] = 0x00;
  cpu->IRam[0x31] = 0x05;
  cpu->IRam[0x40] = 0xFF;
  cpu->IRam[0x41] = 0xFE;
  cpu->IRam[0x50] = 0x80;
  cpu->IRam[0x21] = 0x04; // bit 0AH
  cpu->SfrAt(0xCA) = 0x34;
  cpu->SfrAt(0xCB) = 0x12;
  cpu->SfrAt(0xD0) = 0x80; // PSW: CY, bit D7H
  cpu->XData[0x0CA] = 0x34;
  cpu->XData[0x0CB] = 0x12;
  const uint8_t minusOneAndAHalf[] = {0xBF, 0xC0, 0x00, 0x00};
  std::copy(std::begin(minusOneAndAHalf), std::end(minusOneAndAHalf), cpu->XData.begin() + 0x200);
  const uint8_t minusTwo[] = {0xFF, 0xFF, 0xFF, 0xFE};
  std::copy(std::begin(minusTwo), std::end(minusTwo), cpu->XData.begin() + 0x300);
  cpu->XData[0xFFFF] = 0x12; // an Int there takes its second byte from 0000H
  cpu->XData[0x0000] = 0x34;

  struct Case {
    TSymbolRec Sym;
    const char* Line;
  };
  const Case cases[] = {
      {Symbol(2, 0x30, 4), "v: data, Int::5, 0005H"},
      {Symbol(2, 0x40, 4), "v: data, Int::-2, FFFEH"},
      {Symbol(3, 0x50, 2), "v: idata, Char::-128, 80H"},
      {Symbol(3, 0x50, 3), "v: idata, Byte::128, 80H"},
      {Symbol(2, 0xCA, 5), "v: data, Word::4660, 1234H"},
      {Symbol(1, 0x0CA, 5), "v: xdata, Word::13330, 3412H"},
      {Symbol(4, 0x0A, 1), "v: bit, Bit::1"},
      {Symbol(4, 0x0B, 1), "v: bit, Bit::0"},
      {Symbol(4, 0xD7, 1), "v: bit, Bit::1"},
      {Symbol(0, 0x1234, 0), "v: code, Label:1234H"},
      {Symbol(1, 0x0400, 12), "v: xdata, Self Define, Address(0400H)"},
      {Symbol(5, 0x0010, 3), "v: const, Byte::16, 0010H"},
      {Symbol(1, 0x0200, 8), "v: xdata, Float::-1.50, BFC00000H"},
      {Symbol(1, 0x0300, 6), "v: xdata, Long::-2, FFFFFFFEH"},
      {Symbol(1, 0x0300, 7), "v: xdata, DWord::-2, FFFFFFFEH"},
      {Symbol(1, 0xFFFF, 4), "v: xdata, Int::4660, 1234H"},
      {Symbol(2, 0x31, 0), "v: data, BYTE::5, 0005H"},
      {Symbol(1, 0x0123, 10), "v: xdata, Label::0123H"},
      {Symbol(1, 0x0123, 11), "v: xdata, Void*::void *"},
      {Symbol(1, 0x0123, 9), "v: xdata, None::"},
      {Symbol(7, 0x0123, 3), "v: , Byte::"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VariableLine("v", &c.Sym, *cpu), c.Line) << c.Line;
  EXPECT_EQ(VariableLine("count", nullptr, *cpu), "count: not definition");
}

TEST(VariableText, ReadRangesFollowTheSpaceAndTheTypeSize) {
  struct Case {
    TSymbolRec Sym;
    std::optional<VariableRead> Want;
  };
  const Case cases[] = {
      {Symbol(0, 0x0100, 4), VariableRead{MemorySpace::Code, 0x0100, 2}},
      {Symbol(1, 0x8000, 6), VariableRead{MemorySpace::XData, 0x8000, 4}},
      {Symbol(2, 0x30, 3), VariableRead{MemorySpace::IRam, 0x30, 1}},
      {Symbol(2, 0xCA, 5), VariableRead{MemorySpace::Sfr, 0xCA, 2}},
      {Symbol(3, 0x90, 4), VariableRead{MemorySpace::IRam, 0x90, 2}},
      {Symbol(4, 0x0A, 1), VariableRead{MemorySpace::IRam, 0x21, 1}},
      {Symbol(4, 0xD7, 1), VariableRead{MemorySpace::Sfr, 0xD0, 1}},
      {Symbol(0, 0x0100, 0), std::nullopt}, // a code label is not read
      {Symbol(5, 0x0010, 3), std::nullopt},
      {Symbol(1, 0x0010, 12), std::nullopt},
  };
  for (const Case& c : cases) {
    const auto got = VariableReadRange(c.Sym);
    ASSERT_EQ(got.has_value(), c.Want.has_value()) << int{c.Sym.Region} << " " << c.Sym.Addr;
    if (!got) continue;
    EXPECT_EQ(got->Space, c.Want->Space);
    EXPECT_EQ(got->Address, c.Want->Address);
    EXPECT_EQ(got->Count, c.Want->Count);
  }
}
