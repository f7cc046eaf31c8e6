#include "LoaderFixture.h"
#include "OmfBuilder.h"
#include "TextEncoding.h"

#include <vector>

namespace {

using B = OmfBuilder;

std::vector<int32_t> LinesOf(const TDefModuleInfo& module) {
  return module.Lines.Values();
}

// A listing as the assembler writes it: text at column 30, line number
// right-aligned in columns 20-24, address in 1-4 and code from column 6.
std::string ListingLine(std::string_view loc, std::string_view obj, int line,
                        std::string_view text) {
  std::string s(29, ' ');
  s.replace(0, loc.size(), loc);
  s.replace(5, obj.size(), obj);
  const std::string number = std::to_string(line);
  s.replace(24 - number.size(), number.size(), number);
  return s + std::string(text) + "\r\n";
}

} // namespace

using OmfLoad = LoaderTest;

TEST_F(OmfLoad, ClassicObjectFillsMemoryModulesSymbolsAndSources) {
  Dir.Write("MAIN.C", "#include <reg51.h>\r\nint i;\r\nvoid main() {\r\n  i = 5;\r\n}\r\n");
  Dir.Write("SORT.LST", ListingLine("", "", 1, "        NAME SORT") +
                            ListingLine("0200", "", 2, "SORT:") +
                            ListingLine("0200", "7830", 3, "        MOV R0,#30H") +
                            ListingLine("0202", "22", 4, "        RET"));
  B b;
  b.ModuleHeader("PROG")
      .BeginModule("MAIN")
      .SourceName("MAIN.C")
      .Symbols(B::DebugItems, B::PublicSymbols, {{"main", 0x0100}})
      .BeginProcedure("main")
      .Symbols(B::ExtensionItems, B::LocalSymbols, {{"i", 0x30, 2, 4}})
      .Content(0x0100, {0x75, 0x30, 0x05, 0x22})
      .Lines(B::DebugItems, {{0x0100, 3}, {0x0100, 4}, {0x0103, 5}})
      .EndProcedure("main")
      .EndModule("MAIN")
      .BeginModule("SORT")
      .SourceName("SORT.LST")
      .Symbols(B::DebugItems, B::LocalSymbols, {{"SORT", 0x0200}})
      .Content(0x0200, {0x78, 0x30, 0x22})
      .EndModule("SORT")
      .ModuleEnd("PROG");
  CPU->PC = 0x1234;
  ASSERT_EQ(Load("prog.omf", b.Bytes), 0);

  EXPECT_TRUE(UI.Messages.empty());
  EXPECT_EQ(Omf.FileKind, fkOmf);
  EXPECT_EQ(Omf.ModuleName, "PROG");
  EXPECT_EQ(Omf.StartAddr, 0x0100);
  EXPECT_EQ(Omf.EndAddr, 0x0202);
  EXPECT_EQ(CPU->PC, 0x0100);
  EXPECT_EQ(CPU->Code[0x0100], 0x75);
  EXPECT_EQ(CPU->Code[0x0202], 0x22);
  EXPECT_EQ(Link.Code, (std::vector<std::pair<uint16_t, int>>{{0x0100, 4}, {0x0200, 3}}));

  ASSERT_EQ(Omf.Modules.size(), 2u);
  const TDefModuleInfo& main = Module(0);
  EXPECT_EQ(main.Name, "MAIN");
  EXPECT_EQ(main.SourceKind, stC);
  EXPECT_EQ(main.CodeBegin, 0x0100);
  EXPECT_EQ(main.CodeEnd, 0x0103);
  EXPECT_EQ(main.Symbols.at(0).Name, "main");
  EXPECT_EQ(Block(0, 0).Name, "main");
  EXPECT_EQ(Block(0, 0).CodeEnd, 0x0103);
  const TSymbolRec& i = Block(0, 0).Symbols.at(0);
  EXPECT_EQ(i.Name, "i");
  EXPECT_EQ(i.Addr, 0x30);
  EXPECT_EQ(i.Region, 2);
  EXPECT_EQ(i.Type, 4);
  EXPECT_EQ(main.SourceLines.size(), 5u);
  EXPECT_EQ(main.SourceLines[3], "  i = 5;");
  // Lines 3 and 4 start at the same address: only the later keeps it.
  EXPECT_EQ(LinesOf(main), (std::vector<int32_t>{-1, -1, -1, 0x0100, 0x0103}));

  const TDefModuleInfo& sort = Module(1);
  EXPECT_EQ(sort.SourceKind, stASM);
  EXPECT_EQ(sort.SourceLines, (std::vector<std::string>{"        NAME SORT", "SORT:",
                                                        "        MOV R0,#30H", "        RET"}));
  EXPECT_EQ(LinesOf(sort), (std::vector<int32_t>{-1, -1, 0x0200, 0x0202}));
  EXPECT_EQ(Omf.LineAddrs.Values(), (std::vector<int32_t>{0x0100, 0x0103, 0x0200, 0x0202}));
}

TEST_F(OmfLoad, TodaysObjectWithToolAndBrowserRecordsAndSourcesInSubFolders) {
  // Sources lie in another letter case, GBK with CR LF and UTF-8 with LF: one
  // in a neighbour folder the object's recorded name leads to, one in the
  // folder above the object's.
  Dir.Write("lab/src/main.c", Utf8ToGbk("void main() {\r\n  P1 = 0; // 点亮\r\n}\r\n"));
  Dir.Write("lab/startup.a51", "\xEF\xBB\xBF"
                               "CSEG AT 0\n  LJMP MAIN\n"); // with a byte-order mark
  B b;
  b.ToolRecord("C51 MAIN.C")
      .ToolRecord("stamps")
      .ModuleHeader("MAIN")
      .BeginModule("MAIN")
      .SourceName("..\\SRC\\MAIN.C")
      .Symbols(B::ExtensionItems, B::SegmentSymbols, {{"?PR?MAIN?MAIN", 0x0010}})
      .Symbols(B::ExtensionItems, B::PublicSymbols, {{"main", 0x0010}})
      .BeginProcedure("main")
      .Symbols(B::ExtensionItems, B::LocalSymbols, {{"count", 0x08, 2, 3}})
      .Content(0x0010, {0x75, 0x90, 0x00, 0x22})
      .Lines(B::ExtensionItems, {{0x0010, 2}, {0x0013, 3}})
      .EndProcedure("main")
      .EndModule("MAIN")
      .BrowserRecords()
      .BeginModule("?C_STARTUP")
      .SourceName("STARTUP.A51")
      .Symbols(B::ExtensionItems, B::LocalSymbols, {{"?C_STARTUP", 0x0000}})
      .Content(0x0000, {0x02, 0x00, 0x10})
      .Lines(B::ExtensionItems, {{0x0000, 2}})
      .EndModule("?C_STARTUP")
      .ModuleEnd("MAIN");
  ASSERT_EQ(Load("lab/out/prog.omf", b.Bytes), 0);

  EXPECT_TRUE(UI.Messages.empty());
  ASSERT_EQ(Omf.Modules.size(), 2u);
  const TDefModuleInfo& main = Module(0);
  EXPECT_EQ(main.SourceKind, stC);
  EXPECT_EQ(main.SourceLines,
            (std::vector<std::string>{"void main() {", "  P1 = 0; // 点亮", "}"}));
  EXPECT_EQ(LinesOf(main), (std::vector<int32_t>{-1, 0x0010, 0x0013}));
  EXPECT_TRUE(main.Symbols.size() == 1 && main.Symbols[0].Name == "main"); // segment items skipped
  EXPECT_EQ(Block(0, 0).Symbols.at(0).Name, "count");
  EXPECT_EQ(Block(0, 0).CodeBegin, 0x0010);

  const TDefModuleInfo& startup = Module(1);
  EXPECT_EQ(startup.SourceKind, stASM);
  EXPECT_EQ(startup.SourceLines, (std::vector<std::string>{"CSEG AT 0", "  LJMP MAIN"}));
  EXPECT_EQ(LinesOf(startup), (std::vector<int32_t>{-1, 0x0000}));
  EXPECT_EQ(CPU->PC, 0x0000);
  EXPECT_EQ(Omf.LineAddrs.Values(), (std::vector<int32_t>{0x0010, 0x0013, 0x0000}));
}

TEST_F(OmfLoad, TheLinkersAbsoluteModuleOfTheFormatNotes) {
  // Byte for byte as the linker writes the two-module example: DEMO and IO.
  const char* records[] = {
      "02 08 00 04 44 45 4D 4F FF 00 CE",
      "10 07 00 00 04 44 45 4D 4F C0",
      "12 16 00 02 00 00 00 00 00 04 50 52 4F 47 00 02 08 00 00 04 56 41 52 53 50",
      "12 0D 00 01 00 00 00 00 00 05 53 54 41 52 54 4D",
      "12 17 00 00 00 02 08 00 00 05 43 4F 55 4E 54 00 00 03 00 00 04 4C 4F 4F 50 FE",
      "06 0F 00 00 00 00 75 08 05 12 00 0B D5 08 FA 80 FE F7",
      "12 16 00 03 00 00 00 09 00 00 03 00 0A 00 00 06 00 0B 00 00 09 00 0C 00 99",
      "10 07 00 03 04 44 45 4D 4F BD",
      "10 05 00 00 02 49 4F 51",
      "12 0C 00 01 00 00 0B 00 00 04 50 55 54 43 96",
      "06 05 00 00 0B 00 22 C8",
      "10 05 00 03 02 49 4F 4E",
      "04 0A 00 04 44 45 4D 4F 00 00 01 00 C8",
  };
  std::string bytes;
  for (const char* record : records)
    for (const char* p = record; *p; p += p[2] ? 3 : 2)
      bytes += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
  ASSERT_EQ(Load("demo.omf", bytes), 0);

  EXPECT_EQ(Omf.ModuleName, "DEMO");
  ASSERT_EQ(Omf.Modules.size(), 2u);
  const TDefModuleInfo& demo = Module(0);
  EXPECT_EQ(demo.CodeBegin, 0x0000);
  EXPECT_EQ(demo.CodeEnd, 0x000A);
  ASSERT_EQ(demo.Symbols.size(), 3u); // START, COUNT, LOOP; segment items are not symbols
  EXPECT_EQ(demo.Symbols[1].Name, "COUNT");
  EXPECT_EQ(demo.Symbols[1].Region, 2);
  EXPECT_EQ(demo.Symbols[1].Addr, 0x08);
  EXPECT_EQ(LinesOf(demo), (std::vector<int32_t>{-1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9}));
  EXPECT_EQ(Module(1).Symbols.at(0).Name, "PUTC");
  EXPECT_EQ(Module(1).CodeBegin, 0x000B);
  EXPECT_EQ(Omf.EndAddr, 0x000B);
  EXPECT_EQ(CPU->Code[0x0009], 0x80);
  EXPECT_EQ(CPU->Code[0x000B], 0x22);
  const TSymbolRec* loop = Omf.FindSymbol("LOOP", 0x0005);
  ASSERT_NE(loop, nullptr);
  EXPECT_EQ(loop->Addr, 0x0003);
}

TEST_F(OmfLoad, ContentWidensEveryOpenScopeAndNestedBlocksFollowTheFlatList) {
  B b;
  b.BeginModule("M")
      .BeginProcedure("MAIN")
      .Content(0x0100, std::vector<uint8_t>(10, 0xA5))
      .BeginBlock() // sub-block 0
      .EndBlock()
      .BeginBlock() // sub-block 1
      .BeginBlock() // sub-block 2
      .EndBlock()   // back to depth 0: sub-block 0 by position, not 1 by nesting
      .Content(0x0200, {1, 2})
      .EndBlock()
      .Content(0x0300, {3})
      .EndProcedure("MAIN")
      .Content(0x0400, {4});
  ASSERT_EQ(Load("t.obj", b.Bytes), 0);

  EXPECT_EQ(Omf.StartAddr, 0x0100);
  EXPECT_EQ(Omf.EndAddr, 0x0400);
  EXPECT_EQ(Module(0).CodeBegin, 0x0100);
  EXPECT_EQ(Module(0).CodeEnd, 0x0400);
  const TDefBlockInfo& main = Block(0, 0);
  EXPECT_EQ(main.CodeBegin, 0x0100);
  EXPECT_EQ(main.CodeEnd, 0x0300);
  ASSERT_EQ(main.SubBlocks.size(), 3u);
  EXPECT_EQ(main.SubBlocks[0]->CodeBegin, 0x0200);
  EXPECT_EQ(main.SubBlocks[0]->CodeEnd, 0x0201);
  EXPECT_EQ(main.SubBlocks[1]->CodeBegin, 0xFFFF); // never current while code came
  EXPECT_EQ(main.SubBlocks[1]->CodeEnd, 0);
  EXPECT_EQ(CPU->Code[0x0109], 0xA5);
}

TEST_F(OmfLoad, CModuleScopeEndsWithItsEndRecordAnAssemblerModuleGoesOn) {
  Dir.Write("c.c", "x\n");
  Dir.Write("a.a51", "y\n");
  B b;
  b.BeginModule("C")
      .SourceName("c.c")
      .Content(0x0010, {1})
      .EndModule("C")
      .Content(0x0020, {2}) // no module is current
      .BeginModule("A")
      .SourceName("a.a51")
      .Content(0x0030, {3})
      .EndModule("A")
      .Content(0x0040, {4}); // still counted in A
  ASSERT_EQ(Load("t.omf", b.Bytes), 0);
  EXPECT_EQ(Module(0).CodeEnd, 0x0010);
  EXPECT_EQ(Module(1).CodeBegin, 0x0030);
  EXPECT_EQ(Module(1).CodeEnd, 0x0040);
  EXPECT_EQ(Omf.EndAddr, 0x0040);
}

TEST_F(OmfLoad, SymbolsGoToTheScopeTheirRecordTypeNames) {
  const std::string longName(40, 'N');
  B b;
  b.Symbols(B::DebugItems, B::PublicSymbols, {{"GLOBAL", 1}})
      .Symbols(B::ExtensionItems, B::LocalSymbols, {{"GLOBAL22", 2}})
      .BeginModule("M")
      .BeginProcedure("F")
      .Symbols(B::DebugItems, B::LocalSymbols, {{"IN_F_12H", 3}, {longName, 4}})
      .Symbols(B::ExtensionItems, B::LocalSymbols, {{"IN_F_22H", 5}})
      .BeginBlock()
      .Symbols(B::ExtensionItems, B::PublicSymbols, {{"IN_BLOCK", 6, 2, 3, 0x42}})
      .Symbols(B::ExtensionItems, 9, {{"ANY_OTHER_TYPE", 7}});
  ASSERT_EQ(Load("t.omf", b.Bytes), 0);

  const auto names = [](const std::vector<TSymbolRec>& symbols) {
    std::vector<std::string> out;
    for (const TSymbolRec& s : symbols)
      out.push_back(s.Name);
    return out;
  };
  EXPECT_EQ(names(Omf.Symbols), (std::vector<std::string>{"GLOBAL", "GLOBAL22"}));
  EXPECT_EQ(names(Module(0).Symbols),
            (std::vector<std::string>{"IN_F_12H", longName.substr(0, 32)}));
  EXPECT_EQ(names(Block(0, 0).Symbols), (std::vector<std::string>{"IN_F_22H"}));
  const auto& sub = *Block(0, 0).SubBlocks.at(0);
  EXPECT_EQ(names(sub.Symbols), (std::vector<std::string>{"IN_BLOCK", "ANY_OTHER_TYPE"}));
  EXPECT_EQ(sub.Symbols[0].Attrib, 0x42);
  EXPECT_EQ(sub.Symbols[0].Addr, 6);
}

TEST_F(OmfLoad, LineItemsFillTheTableByLineNumber) {
  B b;
  b.Lines(B::DebugItems, {{0x0500, 9}}) // before any module: ignored
      .BeginModule("M")
      .Lines(B::DebugItems, {{0x0700, 7}, {0x0300, 3}, {0x0999, 0}})
      .Lines(B::ExtensionItems, {{0x0301, 3}}); // a later item for a line overwrites
  ASSERT_EQ(Load("t.omf", b.Bytes), 0);
  EXPECT_EQ(LinesOf(Module(0)), (std::vector<int32_t>{-1, -1, 0x0301, -1, -1, -1, 0x0700}));
}

TEST_F(OmfLoad, ReadingStopsAtTheFirstModuleEndAndOutOfOrderScopesAreIgnored) {
  B b;
  b.BeginBlock() // block outside a procedure
      .EndBlock()
      .BeginProcedure("LOST")  // procedure outside a module
      .SourceName("nowhere.c") // source name outside a module
      .EndModule("X")
      .ToolRecord("unknown record types are skipped")
      .Record(0x20, "type definitions")
      .ModuleHeader("FIRST")
      .BeginModule("ONE")
      .EndProcedure("NONE")
      .EndBlock()
      .Content(0x0010, {1})
      .ModuleEnd("FIRST")
      .ModuleHeader("SECOND")
      .BeginModule("TWO")
      .Content(0x0020, {2});
  ASSERT_EQ(Load("t.omf", b.Bytes), 0);
  EXPECT_EQ(Omf.ModuleName, "FIRST");
  ASSERT_EQ(Omf.Modules.size(), 1u);
  EXPECT_TRUE(Module(0).Blocks.empty());
  EXPECT_EQ(Module(0).SourceKind, stNone);
  EXPECT_EQ(Omf.EndAddr, 0x0010);
  EXPECT_EQ(CPU->Code[0x0020], 0);
  EXPECT_TRUE(UI.Messages.empty());
}

TEST(ModuleLines, DuplicateAddressesKeepOnlyTheLastOfConsecutiveLines) {
  constexpr int32_t A = 0x100, B = 0x200, _ = -1;
  const std::pair<std::vector<int32_t>, std::vector<int32_t>> cases[] = {
      {{_, _, _, _, A, A}, {_, _, _, _, _, A}},
      {{_, _, _, _, A, _, A, B}, {_, _, _, _, _, _, A, B}},
      {{_, _, _, _, A, _, A}, {_, _, _, _, A, _, A}}, // the last entry is never the partner
      {{A, A, A, B}, {_, _, A, B}},
      {{A, B, A, B}, {A, B, A, B}},
      {{A}, {A}},
      {{}, {}},
  };
  for (const auto& [before, after] : cases) {
    TDefModuleInfo module;
    for (int32_t a : before)
      module.Lines.Add(a);
    module.RemoveDuplicateLineAddresses();
    EXPECT_EQ(module.Lines.Values(), after);
  }
}

TEST_F(OmfLoad, AMissingSourceStopsTheLoadAfterTheModulesBeforeIt) {
  Dir.Write("a.c", "a\n");
  Dir.Write("c.c", "c\n");
  B b;
  b.BeginModule("A")
      .SourceName("a.c")
      .Content(0x0100, {1})
      .Lines(B::DebugItems, {{0x100, 1}, {0x100, 2}});
  b.EndModule("A").BeginModule("B").SourceName("C:\\LAB\\B.C").Content(0x0200, {2}).EndModule("B");
  b.BeginModule("C").SourceName("c.c").EndModule("C");
  CPU->PC = 0x4321;
  EXPECT_EQ(Load("t.omf", b.Bytes), -1);

  EXPECT_EQ(UI.Messages, (std::vector<std::string>{"无法读取文件：C:\\LAB\\B.C"}));
  EXPECT_EQ(CPU->PC, 0x4321);
  EXPECT_TRUE(Omf.LineAddrs.Empty());
  EXPECT_EQ(CPU->Code[0x0200], 2); // memory keeps what was copied
  EXPECT_EQ(Module(0).SourceLines, std::vector<std::string>{"a"});
  EXPECT_TRUE(Module(1).SourceLines.empty());
  EXPECT_TRUE(Module(2).SourceLines.empty());
}

TEST_F(OmfLoad, AnObjectFileThatCannotBeOpenedChangesNothing) {
  CPU->PC = 0x4321;
  EXPECT_EQ(Omf.LoadFile((Dir.Path / "missing.obj").string()), -1);
  EXPECT_TRUE(UI.Messages.empty());
  EXPECT_EQ(CPU->PC, 0x4321);
  EXPECT_EQ(Omf.StartAddr, 0xFFFF);
}

TEST_F(OmfLoad, DamagedFilesLoadWhatCanBeReadAndSaySo) {
  const std::string good = B().BeginModule("M").Content(0x0010, {0xAA}).Bytes;
  const std::string cutShort = "目标文件已损坏";
  struct Case {
    const char* What;
    std::string Bytes;
    std::string Message;
  };
  std::string manyModules;
  for (int m = 0; m < 70; ++m)
    manyModules += B().BeginModule("M").Lines(B::DebugItems, {{0x0010, 0xFFFF}}).Bytes;
  const Case cases[] = {
      {"record cut short", good + B().Content(0x0020, {1, 2, 3}).Bytes.substr(0, 6), cutShort},
      {"bytes after the last record", good + "\x06\x05", cutShort},
      {"symbol name past its record",
       good + B().Record(0x12, std::string("\x00\x00\x00\x10\x00\x00\x09NAME", 11)).Bytes,
       cutShort},
      {"symbol head past its record", good + B().Record(0x22, std::string("\x00\x00\x00", 3)).Bytes,
       cutShort},
      {"line item cut short",
       good + B().Record(0x12, std::string("\x03\x00\x10\x00\x01\x00\x00\x11", 8)).Bytes, cutShort},
      {"empty records", good + B().Record(0x06, "").Record(0x10, "").Record(0x24, "").Bytes,
       cutShort},
      {"record of length zero", good + std::string("\x20\x00\x00", 3), ""},
      {"name longer than its record", good + B().Record(0x10, std::string("\x00\x30MOD", 5)).Bytes,
       cutShort},
      {"content past FFFFH", good + B().Content(0xFFFC, {1, 2, 3, 4, 5, 6}).Bytes, "目标文件偏移"},
      {"absurd line tables", manyModules, "行号表过大"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    UI.Messages.clear();
    CPU->Code.fill(0);
    ASSERT_EQ(Load("t.omf", c.Bytes), 0);
    if (c.Message.empty()) {
      EXPECT_TRUE(UI.Messages.empty());
    } else {
      ASSERT_EQ(UI.Messages.size(), 1u);
      EXPECT_NE(UI.Messages[0].find(c.Message), std::string::npos) << UI.Messages[0];
    }
    if (c.Bytes.substr(0, good.size()) == good) {
      EXPECT_EQ(CPU->Code[0x0010], 0xAA);
    }
  }
  // The content past FFFFH keeps its first bytes and nothing wraps round.
  Load("t.omf", cases[8].Bytes);
  EXPECT_EQ(CPU->Code[0xFFFF], 4);
  EXPECT_EQ(CPU->Code[0x0000], 0);
  EXPECT_EQ(Omf.EndAddr, 0xFFFF);
}
