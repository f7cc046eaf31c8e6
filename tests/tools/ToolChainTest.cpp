#include "ToolTestSupport.h"

#include "OmfTypes.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;

namespace {

// Address -> byte of every data record of an Intel HEX text.
std::map<uint16_t, uint8_t> HexImage(const std::string& hex) {
  std::map<uint16_t, uint8_t> image;
  for (const std::string& line : LinesOf(hex)) {
    const int count = std::stoi(line.substr(1, 2), nullptr, 16);
    const int address = std::stoi(line.substr(3, 4), nullptr, 16);
    if (line.substr(7, 2) != "00") continue;
    for (int i = 0; i < count; ++i)
      image[static_cast<uint16_t>(address + i)] =
          static_cast<uint8_t>(std::stoi(line.substr(9 + 2 * i, 2), nullptr, 16));
  }
  return image;
}

std::map<uint16_t, uint8_t> ObjectImage(const std::string& object) {
  std::map<uint16_t, uint8_t> image;
  omf51::RecordWalker walker(object);
  omf51::RecordView r;
  while (walker.Next(r)) {
    if (r.Type != omf51::RecContent) continue;
    const uint16_t address =
        static_cast<uint16_t>(uint8_t(r.Content[1]) | uint8_t(r.Content[2]) << 8);
    for (size_t i = 3; i < r.Content.size(); ++i)
      image[static_cast<uint16_t>(address + i - 3)] = static_cast<uint8_t>(r.Content[i]);
  }
  return image;
}

} // namespace

// The OMF-51 reference example, built with the command
// lines the workbench writes into its batch file.
TEST(ToolChain, BuildsTheWorkedExampleFromTheWorkbenchCommandLines) {
  const BuildDir dir({"demo.asm", "io.asm"});
  ASSERT_EQ(dir.Assemble("demo.asm"), 0);
  ASSERT_EQ(dir.Assemble("io.asm"), 0);
  ASSERT_EQ(dir.Run(L51_PROGRAM, {"DEMO.o,IO.o", "to", "DEMO.OMF", "ramsize(256)"}), 0);
  // The workbench asks for DEMO.omf; the linker wrote DEMO.OMF.
  ASSERT_EQ(dir.Run(OH51_PROGRAM, {"DEMO.omf"}), 0);

  const std::vector<std::string> records = RecordsOf(dir.Read("DEMO.OMF"));
  const std::vector<std::string> demoPart = {
      Bytes("02 08 00 04 44 45 4D 4F FF 00 CE"),
      Bytes("10 07 00 00 04 44 45 4D 4F C0"),
      Bytes("24 0D 00 00 00 00 08 44 45 4D 4F 2E 4C 53 54 81"),
      Bytes("12 16 00 02 00 00 00 00 00 04 50 52 4F 47 00 02 08 00 00 04 56 41 52 53 50"),
      Bytes("12 0D 00 01 00 00 00 00 00 05 53 54 41 52 54 4D"),
      Bytes("12 17 00 00 00 02 08 00 00 05 43 4F 55 4E 54 00 00 03 00 00 04 4C 4F 4F 50 FE"),
      Bytes("06 0F 00 00 00 00 75 08 05 12 00 0B D5 08 FA 80 FE F7"),
      Bytes("12 16 00 03 00 00 00 09 00 00 03 00 0A 00 00 06 00 0B 00 00 09 00 0C 00 99"),
      Bytes("10 07 00 03 04 44 45 4D 4F BD"),
      Bytes("10 05 00 00 02 49 4F 51"),
  };
  ASSERT_GT(records.size(), demoPart.size());
  EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + 10), demoPart);
  EXPECT_NE(std::find(records.begin(), records.end(), Bytes("06 05 00 00 0B 00 22 C8")),
            records.end());
  EXPECT_EQ(records.back(), Bytes("04 0A 00 04 44 45 4D 4F 00 00 01 00 C8"));

  EXPECT_EQ(dir.Read("DEMO.HEX"), ":0B00000075080512000BD508FA80FE01\r\n"
                                  ":01000B0022D2\r\n"
                                  ":00000001FF\r\n");
  EXPECT_EQ(dir.LastLine("DEMO.M51"), "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)");
  EXPECT_EQ(dir.Read("DEMO.LST").substr(0, 19), "A51 MACRO ASSEMBLER");
}

TEST(ToolChain, LinksTheTwoModuleProgramAndItsHexHoldsTheObjectsContent) {
  const BuildDir dir({"main.asm", "util.asm"});
  ASSERT_EQ(dir.Assemble("main.asm"), 0);
  ASSERT_EQ(dir.Assemble("util.asm"), 0);
  ASSERT_EQ(dir.Run(L51_PROGRAM, {"MAIN.o,UTIL.o", "to", "PRJ.OMF", "ramsize(256)"}), 0);
  ASSERT_EQ(dir.Run(OH51_PROGRAM, {"PRJ.omf"}), 0);
  const std::string object = dir.Read("PRJ.OMF");
  const auto image = ObjectImage(object);
  EXPECT_EQ(HexImage(dir.Read("PRJ.HEX")), image);
  // LJMP START at 0; START follows the absolute block, UTILSEG follows PROG.
  EXPECT_EQ(image.at(0), 0x02);
  EXPECT_EQ(image.at(1) << 8 | image.at(2), 0x0003);
  const std::string map = dir.Read("PRJ.M51");
  EXPECT_NE(map.find("  MAIN.o (MAIN)\r\n  UTIL.o (UTIL)\r\n"), std::string::npos);
  EXPECT_NE(map.find("C:0029H         PUBLIC        COPYBLOCK"), std::string::npos)
      << "UTILSEG is placed after PROG";
  EXPECT_EQ(LinesOf(map).back(), "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)");
  for (const char* listing : {"MAIN.LST", "UTIL.LST"})
    EXPECT_NE(object.find(listing), std::string::npos) << "source-name record naming the listing";
}

TEST(ToolChain, LinkErrorsAreCountedInTheMapSummary) {
  struct Case {
    const char* Name;
    std::vector<std::pair<const char*, const char*>> Sources;
    const char* MapText;
  };
  const Case cases[] = {
      {"unresolved external",
       {{"a.asm", " EXTRN CODE (MISSING)\n CSEG AT 0\n LCALL MISSING\n END\n"}},
       "UNRESOLVED EXTERNAL SYMBOLS:\r\n   MISSING\r\n"},
      {"overlapping absolute code",
       {{"a.asm", " CSEG AT 0\n NOP\n END\n"}, {"b.asm", " CSEG AT 0\n RET\n END\n"}},
       "*** ERROR L4: CODE SPACE MEMORY OVERLAP"},
      {"relative jump out of reach",
       {{"a.asm", " EXTRN CODE (FAR)\nP SEGMENT CODE\n RSEG P\n SJMP FAR\n END\n"},
        {"b.asm", " PUBLIC FAR\n CSEG AT 1000H\nFAR: RET\n END\n"}},
       "*** ERROR L7: TARGET OUT OF RANGE"},
      {"data that does not fit",
       {{"a.asm", "D SEGMENT DATA\n RSEG D\n DS 200\n END\n"}},
       "*** ERROR L5: SEGMENT DOES NOT FIT"},
  };
  for (const Case& c : cases) {
    BuildDir dir;
    std::string inputs;
    for (const auto& [name, text] : c.Sources) {
      dir.Write(name, text);
      ASSERT_EQ(dir.Assemble(name), 0) << c.Name;
      inputs += (inputs.empty() ? "" : ",") + fs::path(name).stem().string();
      for (char& ch : inputs)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      inputs += ".o";
    }
    EXPECT_EQ(dir.Run(L51_PROGRAM, {inputs, "to", "OUT.OMF", "ramsize(256)"}), 1) << c.Name;
    EXPECT_NE(dir.Read("OUT.M51").find(c.MapText), std::string::npos) << c.Name;
    EXPECT_EQ(dir.LastLine("OUT.M51"), "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  1 ERROR(S)")
        << c.Name;
  }
}

TEST(ToolChain, UnreadableInputsEndTheLinkWithAFatalErrorCountedAsError) {
  BuildDir dir;
  dir.Write("GARBAGE.o", "this is not an object file at all");
  dir.Write("CUT.o", Bytes("02 08 00 04 44 45 4D 4F FD 00 D0 06 40 00 01"));
  const char* inputs[] = {"NOTHERE.o", "GARBAGE.o", "CUT.o"};
  for (const char* input : inputs) {
    dir.Write("OUT.OMF", "stale");
    EXPECT_EQ(dir.Run(L51_PROGRAM, {input, "to", "OUT.OMF"}), 1) << input;
    const std::vector<std::string> map = LinesOf(dir.Read("OUT.M51"));
    const auto summary =
        std::find(map.begin(), map.end(), "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  1 ERROR(S)");
    ASSERT_NE(summary, map.end()) << input;
    ASSERT_NE(summary + 1, map.end());
    EXPECT_EQ(summary[1].rfind("*** FATAL ERROR L2", 0), 0u) << input;
    EXPECT_FALSE(fs::exists(dir.Path / "OUT.OMF")) << input;
  }
}

TEST(ToolChain, LocatesBitAndBitAddressableSegmentsInTheBitArea) {
  BuildDir dir;
  dir.Write("a.asm", "B1 SEGMENT BIT\nBA SEGMENT DATA BITADDRESSABLE\nD1 SEGMENT DATA\n"
                     "I1 SEGMENT IDATA\nX1 SEGMENT XDATA\n"
                     " RSEG B1\n DBIT 3\n RSEG BA\n DS 1\n RSEG D1\n DS 4\n RSEG I1\n DS 8\n"
                     " RSEG X1\n DS 2\n END\n");
  ASSERT_EQ(dir.Assemble("a.asm"), 0);
  ASSERT_EQ(dir.Run(L51_PROGRAM, {"A.o", "to", "A.OMF"}), 0);
  const std::string map = dir.Read("A.M51");
  for (const char* row : {"DATA    0008H     0004H     UNIT         D1",
                          "IDATA   000CH     0008H     UNIT         I1",
                          "BIT     0020H.0   0000H.3   UNIT         B1",
                          "DATA    0021H     0001H     BITADDRESSABLE BA",
                          "XDATA   0000H     0002H     UNIT         X1"})
    EXPECT_NE(map.find(std::string(12, ' ') + row), std::string::npos) << row;
  EXPECT_NE(map.find("*** GAP ***"), std::string::npos);
}

TEST(ToolChain, UnknownControlsWarnAndTheBuildGoesOn) {
  const BuildDir dir({"demo.asm", "io.asm"});
  ASSERT_EQ(dir.Run(A51_PROGRAM, {"io.asm", "DB", "FANCY", "PR(IO.LST)", "OJ(IO.o)"}), 0);
  const std::string listing = dir.Read("IO.LST");
  EXPECT_NE(listing.find("*** WARNING #A40 IN 0 (io.asm, LINE 0): UNKNOWN CONTROL IGNORED: FANCY"),
            std::string::npos);
  EXPECT_EQ(LinesOf(listing).back(), "ASSEMBLY COMPLETE.  1 WARNING(S), 0 ERROR(S)");
  ASSERT_EQ(dir.Run(L51_PROGRAM, {"IO.o", "to", "IO.OMF", "fancy(1)"}), 0);
  EXPECT_EQ(dir.LastLine("IO.M51"), "LINK/LOCATE RUN COMPLETE.  1 WARNING(S),  0 ERROR(S)");
}

TEST(ToolChain, AssemblyErrorsLeaveNoObjectBehind) {
  BuildDir dir;
  dir.Write("bad.asm", " MOV A,NOWHERE\n END\n");
  dir.Write("BAD.o", "stale object");
  EXPECT_EQ(dir.Assemble("bad.asm"), 1);
  EXPECT_FALSE(fs::exists(dir.Path / "BAD.o"));
  EXPECT_EQ(dir.LastLine("BAD.LST"), "ASSEMBLY COMPLETE.  0 WARNING(S), 1 ERROR(S)");
  EXPECT_EQ(dir.Run(A51_PROGRAM, {"nothere.asm", "PR(GONE.LST)", "OJ(GONE.o)"}), 2);
  EXPECT_NE(dir.Read("GONE.LST").find("*** ERROR #A23 IN 0 (nothere.asm, LINE 0): CANNOT OPEN"),
            std::string::npos);
}

TEST(ToolChain, C51ReportsThatNoCompilerIsInstalled) {
  BuildDir dir;
  dir.Write("MAIN.o", "stale object");
  EXPECT_EQ(dir.Run(C51_PROGRAM, {"/lab/MAIN.C", "DB", "OE", "RB(0)", "OT(5)", "SM", "PR(MAIN.LST)",
                                  "OJ(MAIN.o)"}),
            1);
  const std::vector<std::string> lines = LinesOf(dir.Read("MAIN.LST"));
  EXPECT_NE(lines[0].find("C51 COMPILER"), std::string::npos);
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "*** ERROR C000 IN LINE 1 OF /lab/MAIN.C: no C compiler is installed with "
                      "this tool chain"),
            lines.end());
  EXPECT_FALSE(fs::exists(dir.Path / "MAIN.o"));
}

TEST(ToolChain, BuildsTheBundledExample) {
  BuildDir dir;
  fs::copy_file(fs::path(EXAMPLES_DIR) / "copyblock.asm", dir.Path / "copyblock.asm");
  ASSERT_EQ(dir.Assemble("copyblock.asm"), 0);
  ASSERT_EQ(dir.Run(L51_PROGRAM, {"COPYBLOCK.o", "to", "COPYBLOCK.OMF", "ramsize(256)"}), 0);
  ASSERT_EQ(dir.Run(OH51_PROGRAM, {"COPYBLOCK.omf"}), 0);
  const auto image = HexImage(dir.Read("COPYBLOCK.HEX"));
  EXPECT_EQ(image.at(0), 0x02);
  EXPECT_EQ(image.at(0x30), 0x75); // MOV SP,#5FH
}

// The bundled start-up file: $IF picks the register file from the include
// folder (C51INC, as the batch file sets it, or INCDIR), IF blocks pick its
// clearing loops, and it links with a module holding ?C_START.
TEST(ToolChain, StartUpFileAssemblesWithTheBundledRegisterFileAndLinks) {
  BuildDir dir;
  fs::copy_file(fs::path(TOOLCHAIN_DIR) / "lib/STARTUP.A51", dir.Path / "STARTUP.A51");
  dir.Write("cmain.asm", "        NAME    CMAIN\n"
                         "        PUBLIC  ?C_START\n"
                         "?PR?MAIN SEGMENT CODE\n"
                         "        RSEG    ?PR?MAIN\n"
                         "?C_START: SJMP  ?C_START\n"
                         "        END\n");
  const std::string inc = (fs::path(TOOLCHAIN_DIR) / "inc").string();
  EXPECT_NE(dir.Assemble("STARTUP.A51"), 0) << "REG52.INC is not found without the folder";
  setenv("C51INC", inc.c_str(), 1);
  const int assembled = dir.Assemble("STARTUP.A51");
  unsetenv("C51INC");
  ASSERT_EQ(assembled, 0) << dir.Read("STARTUP.LST");
  ASSERT_EQ(dir.Assemble("cmain.asm"), 0);
  ASSERT_EQ(dir.Run(L51_PROGRAM, {"STARTUP.o,CMAIN.o", "to", "PRG.OMF", "ramsize(256)"}), 0);
  const auto image = ObjectImage(dir.Read("PRG.OMF"));
  ASSERT_EQ(image.at(0), 0x02);
  const uint16_t clear = static_cast<uint16_t>(image.at(1) << 8 | image.at(2));
  // MOV R0,#7FH; CLR A; MOV @R0,A; DJNZ R0,$-1; MOV SP,#?STACK-1; LJMP ?C_START
  const uint8_t expected[] = {0x78, 0x7F, 0xE4, 0xF6, 0xD8, 0xFD, 0x75, 0x81};
  for (size_t i = 0; i < std::size(expected); ++i)
    EXPECT_EQ(image.at(static_cast<uint16_t>(clear + i)), expected[i]) << i;
  EXPECT_EQ(image.at(static_cast<uint16_t>(clear + 9)), 0x02);
  const uint16_t start = static_cast<uint16_t>(image.at(static_cast<uint16_t>(clear + 10)) << 8 |
                                               image.at(static_cast<uint16_t>(clear + 11)));
  EXPECT_EQ(image.at(start), 0x80);
  EXPECT_EQ(image.at(static_cast<uint16_t>(start + 1)), 0xFE);

  EXPECT_EQ(dir.Run(A51_PROGRAM, {(dir.Path / "STARTUP.A51").string(), "INCDIR(/none;" + inc + ")",
                                  "OJ(AGAIN.o)"}),
            0);
}

// $NODEBUG in the source wins over DB on the command line.
TEST(ToolChain, NoDebugInTheSourceLeavesTheDebugRecordsOut) {
  BuildDir dir;
  dir.Write("plain.asm", "        CSEG AT 0\nHERE:   SJMP HERE\n        END\n");
  dir.Write("nodebug.asm", "$NODEBUG\n        CSEG AT 0\nHERE:   SJMP HERE\n        END\n");
  ASSERT_EQ(dir.Assemble("plain.asm"), 0);
  ASSERT_EQ(dir.Assemble("nodebug.asm"), 0);
  const auto debugRecords = [&](const std::string& object) {
    const std::vector<std::string> records = RecordsOf(dir.Read(object));
    return std::count_if(records.begin(), records.end(), [](const std::string& r) {
      return static_cast<uint8_t>(r[0]) == omf51::RecDebugItems;
    });
  };
  EXPECT_GT(debugRecords("PLAIN.o"), 0);
  EXPECT_EQ(debugRecords("NODEBUG.o"), 0);
}
