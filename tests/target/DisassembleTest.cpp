#include "InstructionTables.h"
#include "TCPU.h"

#include <memory>
#include <set>

#include <gtest/gtest.h>

namespace {

struct Disassembler {
  std::unique_ptr<TCPU> Cpu = std::make_unique<TCPU>();

  // The instruction text after the 19 characters of address and bytes.
  std::string Text(uint16_t address, std::initializer_list<uint8_t> bytes, uint16_t* next) {
    uint16_t a = address;
    for (uint8_t b : bytes)
      Cpu->Code[a++] = b;
    std::string line;
    *next = Cpu->Disassemble(address, line);
    return line.substr(19);
  }
};

} // namespace

TEST(Disassemble, KnownLines) {
  struct Case {
    uint16_t Address;
    std::initializer_list<uint8_t> Bytes;
    const char* Text;
    uint16_t Next;
  };
  const Case cases[] = {
      {0x0000, {0x02, 0x00, 0x30}, "LJMP  0030H", 0x0003},
      {0x0003, {0xE4}, "CLR   A", 0x0004},
      {0x0010, {0x74, 0xF0}, "MOV   A, #0F0H", 0x0012},
      {0x0010, {0x85, 0xE0, 0xF0}, "MOV   0F0H, 0E0H", 0x0013},
      {0x0010, {0x90, 0xC0, 0x20}, "MOV   DPTR, #0C020H", 0x0013},
      {0x0100, {0x80, 0xFE}, "SJMP  0100H", 0x0102},
      {0x0100, {0xA5}, "ERROR", 0x0101},
      {0x07FE, {0x21, 0x23}, "AJMP  0923H", 0x0800},
      {0x0200, {0x10, 0xE7, 0x05}, "JBC   0E7H, 0208H", 0x0203},
      {0xFFFF, {0x12, 0xAB, 0xCD}, "LCALL 0ABCDH", 0x0002},
      {0x0300, {0xD5, 0x30, 0x80}, "DJNZ  30H, 0283H", 0x0303},
      {0x0000, {0x80, 0xFD}, "SJMP  0FFFFH", 0x0002},
      {0x0400, {0xB6, 0xA0, 0x10}, "CJNE  @R0, #0A0H, 0413H", 0x0403},
      {0x0400, {0xDF, 0xFE}, "DJNZ  R7, 0400H", 0x0402},
      {0x0400, {0x86, 0xF0}, "MOV   0F0H, @R0", 0x0402},
      {0x0400, {0xA7, 0xE0}, "MOV   @R1, 0E0H", 0x0402},
      {0x0400, {0x89, 0x30}, "MOV   30H, R1", 0x0402},
      {0x0400, {0x73}, "JMP   @A+DPTR", 0x0401},
      {0x0400, {0xA4}, "MUL   AB", 0x0401},
      {0x0400, {0xB0, 0xD7}, "ANL   C, /0D7H", 0x0402},
      {0x0400, {0x43, 0xA8, 0xFF}, "ORL   0A8H, #0FFH", 0x0403},
      {0x0400, {0x31, 0x00}, "ACALL 0100H", 0x0402},
      {0x0400, {0xE1, 0xFF}, "AJMP  07FFH", 0x0402},
      {0x0400, {0x22}, "RET", 0x0401},
  };
  for (const Case& c : cases) {
    Disassembler d;
    uint16_t next = 0;
    EXPECT_EQ(d.Text(c.Address, c.Bytes, &next), c.Text);
    EXPECT_EQ(next, c.Next) << c.Text;
  }
}

TEST(Disassemble, FullLineHasAddressBytesFieldAndMnemonicInColumn20) {
  auto cpu = std::make_unique<TCPU>();
  cpu->Code[0] = 0x02;
  cpu->Code[2] = 0x30;
  std::string line;
  cpu->Disassemble(0, line);
  EXPECT_EQ(line, "0000   020030      LJMP  0030H");
}

TEST(Disassemble, LeadingZeroOnlyForNumbersStartingWithALetter) {
  struct Case {
    std::initializer_list<uint8_t> Bytes;
    const char* Text;
  };
  const Case cases[] = {
      {{0x75, 0xD0, 0x30}, "MOV   0D0H, #30H"}, // two-digit, letter and digit first
      {{0x90, 0xE0, 0x00}, "MOV   DPTR, #0E000H"},
      {{0x90, 0x30, 0x00}, "MOV   DPTR, #3000H"},
      {{0x90, 0x00, 0xE0}, "MOV   DPTR, #00E0H"}, // already starts with a digit
      {{0x93}, "MOVC  A, @A+DPTR"},
      {{0xC5, 0xE0}, "XCH   A, 0E0H"},
      {{0x84}, "DIV   AB"},
      {{0x02, 0xAB, 0xCD}, "LJMP  0ABCDH"},
      {{0xB4, 0xFA, 0x00}, "CJNE  A, #0FAH, 0103H"},
  };
  for (const Case& c : cases) {
    Disassembler d;
    uint16_t next = 0;
    EXPECT_EQ(d.Text(0x0100, c.Bytes, &next), c.Text);
  }
}

TEST(Disassemble, EveryOpcodeGivesAWellFormedLineAndTheNextAddress) {
  const auto isHex = [](const std::string& s) {
    return s.find_first_not_of("0123456789ABCDEF") == std::string::npos;
  };
  for (int op = 0; op < 256; ++op) {
    for (uint16_t address : {uint16_t{0x1234}, uint16_t{0xFFFE}}) {
      auto cpu = std::make_unique<TCPU>();
      cpu->Code[address] = static_cast<uint8_t>(op);
      cpu->Code[static_cast<uint16_t>(address + 1)] = 0xC3;
      cpu->Code[static_cast<uint16_t>(address + 2)] = 0x5A;
      std::string line;
      const uint16_t next = cpu->Disassemble(address, line);
      const int length = InstrLength[static_cast<size_t>(op)];
      EXPECT_EQ(next, static_cast<uint16_t>(address + length)) << op;
      ASSERT_GT(line.size(), 20u) << line;
      EXPECT_TRUE(isHex(line.substr(0, 4))) << line;
      EXPECT_EQ(line.substr(4, 3), "   ") << line;
      EXPECT_TRUE(isHex(line.substr(7, 2 * static_cast<size_t>(length)))) << line;
      EXPECT_TRUE(line[19] >= 'A' && line[19] <= 'Z') << line;
      EXPECT_EQ(line.find_first_not_of(' ', 7 + 2 * static_cast<size_t>(length)), 19u) << line;
      EXPECT_EQ(line.find('%'), std::string::npos) << line;
    }
  }
}

TEST(InstrLength, AgreesWithTheMcs51InstructionSet) {
  const std::set<int> three = {0x02, 0x10, 0x12, 0x20, 0x30, 0x43, 0x53, 0x63,
                               0x75, 0x85, 0x90, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8,
                               0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xD5};
  std::set<int> two = {0x05, 0x15, 0x24, 0x25, 0x34, 0x35, 0x40, 0x42, 0x44, 0x45, 0x50,
                       0x52, 0x54, 0x55, 0x60, 0x62, 0x64, 0x65, 0x70, 0x72, 0x74, 0x76,
                       0x77, 0x80, 0x82, 0x86, 0x87, 0x92, 0x94, 0x95, 0xA0, 0xA2, 0xA6,
                       0xA7, 0xB0, 0xB2, 0xC0, 0xC2, 0xC5, 0xD0, 0xD2, 0xE5, 0xF5};
  for (int op = 0x01; op < 0x100; op += 0x20) {
    two.insert(op);        // AJMP
    two.insert(op + 0x10); // ACALL
  }
  for (int n = 0; n < 8; ++n)
    for (int base : {0x78, 0x88, 0xA8, 0xD8})
      two.insert(base + n);
  for (int op = 0; op < 256; ++op) {
    const int expected = three.count(op) ? 3 : two.count(op) ? 2 : 1;
    EXPECT_EQ(InstrLength[static_cast<size_t>(op)], expected) << std::hex << op;
  }
}
