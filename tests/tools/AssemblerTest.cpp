#include "AssemblerFixture.h"

#include "ObjectWriter.h"
#include "TCPU.h"

#include "InstructionTables.h"

#include <memory>

using namespace omf51;

namespace {

// The module of the OMF-51 reference example (tests/tools/data/demo.asm).
std::string DemoSource() {
  return ReadText(std::filesystem::path(TOOL_TEST_DATA) / "demo.asm");
}

} // namespace

// Every defined opcode, written out by the disassembler and assembled again,
// gives back the same bytes.
TEST(Assembler, RoundTripsEveryOpcodeThroughTheDisassembler) {
  auto cpu = std::make_unique<TCPU>();
  std::string source = "        CSEG AT 0100H\n";
  uint16_t address = 0x0100;
  std::vector<uint16_t> starts;
  for (int op = 0; op < 256; ++op) {
    if (op == 0xA5) continue;
    const uint8_t bytes[3] = {static_cast<uint8_t>(op), static_cast<uint8_t>(op * 7 + 3),
                              static_cast<uint8_t>(op * 13 + 5)};
    for (int i = 0; i < InstrLength[op]; ++i)
      cpu->Code[address + i] = bytes[i];
    starts.push_back(address);
    address = static_cast<uint16_t>(address + InstrLength[op]);
  }
  for (uint16_t start : starts) {
    std::string line;
    cpu->Disassemble(start, line);
    source += "        " + line.substr(19) + "\n";
  }
  const Assembled a = Assemble(source + "        END\n");
  ASSERT_EQ(a.Module.Errors, 0) << a.Listing.size();
  const auto code = a.Code();
  ASSERT_EQ(code.size(), static_cast<size_t>(address - 0x0100));
  for (uint16_t at = 0x0100; at < address; ++at)
    ASSERT_EQ(code.at(at), cpu->Code[at]) << "at " << std::hex << at;
}

TEST(Assembler, EvaluatesNumbersOperatorsAndPrecedence) {
  struct Case {
    const char* Expression;
    uint16_t Value;
  };
  const Case cases[] = {
      {"$", 0x0300},
      {"$+2", 0x0304},
      {"1+2*3", 7},
      {"(1+2)*3", 9},
      {"10 MOD 3", 1},
      {"1 SHL 4", 16},
      {"80H SHR 3", 16},
      {"0F0H AND 3CH", 0x30},
      {"0F0H OR 0FH", 0xFF},
      {"0FFH XOR 0FH", 0xF0},
      {"NOT 0", 0xFFFF},
      {"NOT 0 AND 0FH", 0x0F},
      {"2 + 3 SHL 1", 8},
      {"HIGH 1234H", 0x12},
      {"LOW 1234H", 0x34},
      {"LOW(-2)", 0xFE},
      {"-1", 0xFFFF},
      {"101B", 5},
      {"17O", 15},
      {"17q", 15},
      {"99D", 99},
      {"0abcdh", 0xABCD},
      {"'A'", 0x41},
      {"'AB'", 0x4142},
      {"ACC.7", 0xE7},
      {"20H.3", 3},
      {"LIMIT*2", 20},
      {"0x1F", 0x1F},
      {"0XABCD", 0xABCD},
      {"0b101", 5},
      {"0B1H", 0xB1},
      {"0BH", 11},
      {"0B", 0},
      {"3 > 2", 0xFFFF},
      {"3 EQ 2", 0},
      {"1 <> 2", 0xFFFF},
      {"2 LE 2", 0xFFFF},
      {"2 >= 3", 0},
      {"1 + 1 = 2", 0xFFFF},
      {"NOT (1 LT 2)", 0},
      {"1 == 1 && 2 != 2", 0},
      {"0 || 7", 0xFFFF},
      {"0x0F & 0x3C", 0x0C},
      {"0x0F | 0xF0", 0xFF},
      {"0xFF ^ 0x0F", 0xF0},
      {"~0", 0xFFFF},
      {"!0", 0xFFFF},
      {"!5", 0},
      {"1 << 4", 16},
      {"0x80 >> 3", 16},
      {"10 % 3", 1},
      {"LOW (1200H) <> 0", 0},
  };
  std::string source = "LIMIT   EQU 10\n        CSEG AT 0300H\n";
  for (const Case& c : cases)
    source += std::string("        DW ") + c.Expression + "\n";
  const Assembled a = Assemble(source + "        END\n");
  ASSERT_EQ(a.Module.Errors, 0);
  const auto code = a.Code();
  uint16_t at = 0x0300;
  for (const Case& c : cases) {
    EXPECT_EQ(code.at(at) << 8 | code.at(at + 1), c.Value) << c.Expression;
    at = static_cast<uint16_t>(at + 2);
  }
}

TEST(Assembler, DirectivesDefineSymbolsPlacesAndData) {
  const Assembled a = Assemble(R"(
        CSEG    AT 0
COUNT   EQU     R7
LIMIT   EQU     10
FLAG    BIT     20H.1
PORT    DATA    90H
BUF     XDATA   1000H
        mov     count,#limit
        SETB    FLAG
        MOV     PORT,A
        MOV     DPTR,#BUF
        USING   1
        PUSH    AR7
        DB      'Hi',0,-1
        DW      1234H,'A'
        ORG     20H
        DS      2
HERE:   SJMP    HERE
        JMP     HERE
        CALL    FAR
        JMP     FAR
FAR:    RET
        END
)");
  ASSERT_EQ(a.Module.Errors, 0);
  EXPECT_EQ(a.CodeBytes(0, 20), "7F0A"
                                "D201"
                                "F590"
                                "901000"
                                "C00F"
                                "486900FF"
                                "12340041"
                                "--");
  // JMP and CALL: SJMP back to a near label, the long forms forward.
  EXPECT_EQ(a.CodeBytes(0x22, 11), "80FE80FC12002C02002C22");
  EXPECT_EQ(a.Module.RegisterMask, 0x03);
}

TEST(Assembler, ReportsErrorsRightAfterTheirLineWithItsNumber) {
  const Assembled a = Assemble("        CSEG AT 0\n"
                               "        MOV A,#1\n"
                               "        MOV A,UNDEFINED_X\n"
                               "        SJMP FAR\n"
                               "        DS 200\n"
                               "FAR:    NOP\n"
                               "        MOV A,@R2\n"
                               "        FOO A\n"
                               "        MOV A,#300\n"
                               "X       EQU 1\n"
                               "X       EQU 2\n"
                               "        END\n");
  EXPECT_EQ(a.Module.Errors, 6);
  const std::vector<std::string> expected = {
      "(LINE 3), UNDEFINED SYMBOL",   "(LINE 4), TARGET OUT OF RANGE",
      "(LINE 7), INVALID OPERAND",    "(LINE 8), UNKNOWN INSTRUCTION OR DIRECTIVE",
      "(LINE 9), VALUE OUT OF RANGE", "(LINE 11), ATTEMPT TO DEFINE AN ALREADY DEFINED SYMBOL",
  };
  EXPECT_EQ(BuildMessages(a.Listing), expected);
  for (size_t i = 1; i < a.Listing.size(); ++i)
    if (a.Listing[i].rfind("*** ERROR #A4 ", 0) == 0) {
      EXPECT_EQ(a.Listing[i],
                "*** ERROR #A4 IN 3 (" + a.Source.FileNames[0] + ", LINE 3): UNDEFINED SYMBOL");
      EXPECT_NE(a.Listing[i - 1].find("UNDEFINED_X"), std::string::npos);
    }
  EXPECT_EQ(a.Listing.back(), "ASSEMBLY COMPLETE.  0 WARNING(S), 6 ERROR(S)");
}

TEST(Assembler, WarnsAboutAMissingEndAfterTheLastLine) {
  const Assembled a = Assemble("        NOP\n        NOP\n");
  EXPECT_EQ(a.Module.Warnings, 1);
  EXPECT_EQ(BuildMessages(a.Listing),
            std::vector<std::string>{"(LINE 2), MISSING 'END' STATEMENT"});
  EXPECT_EQ(a.Listing.back(), "ASSEMBLY COMPLETE.  1 WARNING(S), 0 ERROR(S)");
}

// The listing of the module of the OMF-51 reference example, read back by the
// workbench's rules: the source lines with their addresses, labels and
// directives without.
TEST(Assembler, ListingColumnsReadBackAsSourceAndAddresses) {
  const Assembled a = Assemble(DemoSource() + "        this line follows END\n");
  ASSERT_EQ(a.Module.Errors, 0);
  const std::vector<std::string> body(a.Listing.begin() + 14, a.Listing.begin() + 23);
  const std::vector<std::string> expected = {
      "----                   6             RSEG    VARS",
      "0000                   7     COUNT:  DS      1",
      "----                   8             RSEG    PROG",
      "0000 750005   F        9     START:  MOV     COUNT,#5",
      "0003 120000   F       10     LOOP:   LCALL   PUTC",
      "0006 D500FA   F       11             DJNZ    COUNT,LOOP",
      "0009 80FE             12             SJMP    $",
      "                      13             END",
      "                                     this line follows END",
  };
  EXPECT_EQ(body, expected);
  EXPECT_EQ(a.Listing[0].substr(0, 22), "A51 MACRO ASSEMBLER  T");
  EXPECT_EQ(a.Listing[0].size(), 120u);

  const RebuiltSource rebuilt = RebuildSource(a.Listing);
  ASSERT_EQ(rebuilt.Text.size(), 13u);
  EXPECT_EQ(rebuilt.Text[8], "START:  MOV     COUNT,#5");
  EXPECT_EQ(rebuilt.Address, (std::vector<int>{-1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, -1}));
}

TEST(Assembler, IncludedLinesAreMarkedAndLeftOutOfTheLineCount) {
  const Assembled a = Assemble("$INCLUDE (defs.inc)\n"
                               "        CSEG AT 0\n"
                               "        MOV A,#VALUE\n"
                               "        MOV A,MISSING\n"
                               "        END\n",
                               {{"DEFS.INC", "VALUE   EQU 42\nOTHER   EQU 1\n"}});
  EXPECT_EQ(a.Code().at(1), 42);
  EXPECT_EQ(a.Listing[10].substr(16, 1), "=");
  EXPECT_EQ(BuildMessages(a.Listing), std::vector<std::string>{"(LINE 4), UNDEFINED SYMBOL"});
  const RebuiltSource rebuilt = RebuildSource(a.Listing);
  EXPECT_EQ(rebuilt.Text.size(), 5u);
}

TEST(Assembler, LongLinesAndLongDataContinueOnRowsOfTheirOwn) {
  const std::string comment(150, 'x');
  const Assembled a =
      Assemble("        CSEG AT 0\n        DB 1,2,3,4,5,6 ;" + comment + "\n        END\n");
  const std::string& first = a.Listing[10];
  EXPECT_EQ(first.size(), 120u);
  EXPECT_EQ(first.substr(0, 13), "0000 01020304");
  EXPECT_EQ(a.Listing[11].substr(0, 9), "0004 0506");
  EXPECT_EQ(a.Listing[11].substr(19, 10), std::string(10, ' '));
  EXPECT_EQ(RebuildSource(a.Listing).Text.size(), 3u);
}

// The relocatable module of the OMF-51 reference example, byte for byte (the
// source-name record aside, which the example leaves out).
TEST(Assembler, WritesTheRelocatableObjectOfTheWorkedExample) {
  const Assembled a = Assemble(DemoSource());
  const std::string object = WriteRelocatableObject(a.Module, true, "DEMO.LST");
  const std::vector<std::string> expected = {
      Bytes("02 08 00 04 44 45 4D 4F FD 00 D0"),
      Bytes("0E 1B 00 01 00 01 00 00 00 0B 00 04 50 52 4F 47 02 02 01 00 00 00 01 00 04 56 41 52 "
            "53 48"),
      Bytes("18 0A 00 02 00 00 00 04 50 55 54 43 9C"),
      Bytes("16 0C 00 01 00 00 00 00 05 53 54 41 52 54 4A"),
      Bytes("10 07 00 00 04 44 45 4D 4F C0"),
      Bytes("12 16 00 02 01 00 00 00 00 04 50 52 4F 47 02 02 00 00 00 04 56 41 52 53 55"),
      Bytes("12 0D 00 01 01 00 00 00 00 05 53 54 41 52 54 4C"),
      Bytes("12 17 00 00 02 02 00 00 00 05 43 4F 55 4E 54 01 00 03 00 00 04 4C 4F 4F 50 03"),
      Bytes("06 0F 00 01 00 00 75 00 05 12 00 00 D5 00 FA 80 FE 11"),
      Bytes("08 16 00 01 00 01 01 02 00 00 04 00 04 02 00 00 00 07 00 01 01 02 00 00 C8"),
      Bytes("12 16 00 03 01 00 00 09 00 01 03 00 0A 00 01 06 00 0B 00 01 09 00 0C 00 95"),
      Bytes("10 07 00 03 04 44 45 4D 4F BD"),
      Bytes("04 0A 00 04 44 45 4D 4F 00 00 01 00 C8"),
  };
  EXPECT_EQ(RecordsOf(object, {RecSourceName}), expected);
  EXPECT_EQ(RecordsOf(object)[5], Bytes("24 0D 00 00 00 00 08 44 45 4D 4F 2E 4C 53 54 81"));
}

TEST(Assembler, RelocatableOperandsGetTheFixupKindTheirFieldNeeds) {
  const Assembled a = Assemble(R"(        EXTRN   DATA (EXTVAR), CODE (EXTFN)
CODESEG SEGMENT CODE
FLAGS   SEGMENT DATA BITADDRESSABLE
BITS    SEGMENT BIT
STACKS  SEGMENT IDATA
        RSEG    BITS
DONE:   DBIT    1
        RSEG    FLAGS
STATE:  DS      1
        RSEG    CODESEG
        MOV     A,#HIGH(EXTFN+1)
        MOV     A,#LOW EXTFN
        MOV     SP,#STACKS-1
        SETB    DONE
        SETB    STATE.2
        ACALL   EXTFN
        SJMP    EXTFN
        MOV     EXTVAR,A
        END
)");
  ASSERT_EQ(a.Module.Errors, 0);
  ASSERT_EQ(a.Module.Runs.size(), 1u);
  struct Expected {
    uint16_t At;
    uint8_t Type, IdBlock, Id;
    uint16_t Offset;
  };
  const Expected expected[] = {
      {1, FixHigh, IdExternal, 1, 1},         {3, FixLow, IdExternal, 1, 0},
      {6, FixByte, IdSegmentBase, 4, 0xFFFF}, {8, FixBit, IdSegmentSymbol, 3, 0},
      {10, FixConv, IdSegmentSymbol, 2, 2},   {11, FixInBlock, IdExternal, 1, 0},
      {14, FixRelative, IdExternal, 1, 0},    {16, FixByte, IdExternal, 0, 0},
  };
  const auto& fixups = a.Module.Runs[0].Fixups;
  ASSERT_EQ(fixups.size(), std::size(expected));
  for (size_t i = 0; i < fixups.size(); ++i) {
    EXPECT_EQ(fixups[i].At, expected[i].At) << i;
    EXPECT_EQ(fixups[i].Type, expected[i].Type) << i;
    EXPECT_EQ(fixups[i].IdBlock, expected[i].IdBlock) << i;
    EXPECT_EQ(fixups[i].Id, expected[i].Id) << i;
    EXPECT_EQ(fixups[i].Offset, expected[i].Offset) << i;
  }
}
