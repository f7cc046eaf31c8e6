#include "AtomicFile.h"
#include "OptionFixture.h"
#include "TaggedRecords.h"

#include <cstring>

namespace fs = std::filesystem;

namespace {

void Put(std::string& b, size_t offset, uint32_t value, size_t size) {
  for (size_t i = 0; i < size; ++i)
    b[offset + i] = static_cast<char>(value >> (8 * i));
}

void PutBounds(std::string& b, size_t offset, std::array<int32_t, 4> v) {
  for (size_t i = 0; i < 4; ++i)
    Put(b, offset + 4 * i, static_cast<uint32_t>(v[i]), 4);
}

// The block of a first start, laid out field by field.
std::string DefaultBlock() {
  std::string b(208, '\0');
  Put(b, 0, 0x5102000C, 4);
  b[5] = 1;
  b[6] = 1;
  b[13] = 5;
  PutBounds(b, 14, {4, 2, 105, 243});
  PutBounds(b, 30, {205, 250, 478, 171});
  PutBounds(b, 46, {205, 250, 478, 171});
  PutBounds(b, 62, {205, 2, 478, 244});
  PutBounds(b, 78, {10, 10, 300, 280});
  PutBounds(b, 94, {4, 250, 198, 171});
  PutBounds(b, 110, {5, 293, 524, 157});
  b[126] = 1;
  b[129] = 1;
  PutBounds(b, 132, {0, 0, 640, 480});
  Put(b, 152, static_cast<uint32_t>(-15), 4);
  b.replace(156, 5, "\x04\xCB\xCE\xCC\xE5"); // "宋体" in GBK
  Put(b, 190, 11, 4);
  b[195] = 1;
  return b;
}

std::string Record(uint8_t tag, std::string_view data) {
  std::string r;
  AppendTaggedRecord(r, tag, data);
  return r;
}

std::string RegisterRecord(std::string_view name, uint8_t isPair, uint8_t high, uint8_t addr,
                           uint8_t visible) {
  std::string d(14, '\0');
  d[0] = static_cast<char>(name.size());
  d.replace(1, name.size(), name);
  d[10] = static_cast<char>(isPair);
  d[11] = static_cast<char>(high);
  d[12] = static_cast<char>(addr);
  d[13] = static_cast<char>(visible);
  return Record(8, d);
}

std::string ReadFile(const fs::path& path) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes));
  return bytes;
}

std::string RegisterNames(const TCPU& cpu) {
  std::string names;
  for (const TRegisterDesc& r : cpu.Registers)
    names += std::string(r.GetName()) + " ";
  return names;
}

} // namespace

using TOptionTest = OptionFixture;

TEST_F(TOptionTest, FirstStartWithoutAFileTakesTheDefaults) {
  auto option = MakeOption();
  EXPECT_EQ(option->DskFileName, (Dir.Path / "mcidem.dsk").string());
  EXPECT_EQ(option->Encode(), DefaultBlock());
  EXPECT_EQ(option->FontName, "宋体");
  EXPECT_EQ(option->LinkOther, "ramsize(256)");
  EXPECT_EQ(option->BINPath, "/opt/omf51/bin");
  EXPECT_EQ(option->INCPath, "/opt/omf51/inc");
  EXPECT_EQ(option->LIBPath, "/opt/omf51/lib");
  EXPECT_TRUE(option->ASM_Other.empty() && option->C_Other.empty() && option->LibName.empty());
  EXPECT_EQ(CPU->Registers.size(), 29u);
  EXPECT_EQ(RegisterNames(*PrevCPU), RegisterNames(*CPU));
}

TEST_F(TOptionTest, SaveWritesBlockRegistersStringsAndCurrentDirectoryInOrder) {
  auto option = MakeOption();
  option->ASM_Other = "EP";
  option->C_Other.clear();
  option->LibName = {"/lab/x.lib"};
  fs::current_path(Dir.Path);
  ASSERT_EQ(option->SaveToFile(DskPath().string()), 0);

  std::string expected = DefaultBlock();
  expected += RegisterRecord("ACC", 0, 0, 0xE0, 1);
  for (size_t i = 1; i < CPU->Registers.size(); ++i)
    expected += Record(8, {reinterpret_cast<const char*>(&CPU->Registers[i]), 14});
  expected += Record(0, "EP") + Record(2, "ramsize(256)");
  expected +=
      Record(4, "/opt/omf51/bin") + Record(5, "/opt/omf51/inc") + Record(6, "/opt/omf51/lib");
  expected += Record(7, fs::current_path().string());
  EXPECT_EQ(ReadFile(DskPath()), expected);
  EXPECT_TRUE(option->LibName.empty()) << "the library list lives only in projects";
}

TEST_F(TOptionTest, EveryBlockFieldIsReadAndWrittenAtItsOffset) {
  std::string b(208, '\0');
  Put(b, 0, 0x5102000C, 4);
  b.replace(4, 10, "\x03\x00\x00\x01\x01\x02\x01\x02\x02\x03", 10);
  for (size_t i = 0; i < 7; ++i) {
    const auto n = static_cast<int32_t>(4 * i);
    PutBounds(b, 14 + 16 * i, {n + 1, n + 2, n + 3, n + 4});
  }
  b.replace(126, 6, "\x00\x01\x01\x00\x01\x01", 6);
  PutBounds(b, 132, {-8, -4, 1024, 768});
  Put(b, 148, 0x00FF8040, 4);
  Put(b, 152, static_cast<uint32_t>(-13), 4);
  b.replace(156, 8,
            "\x07"
            "Courier");
  b[189] = 2;
  Put(b, 190, 9, 4);
  b[194] = 0x0B;
  b[195] = 100;
  Put(b, 196, 3, 2);
  for (size_t i = 0; i < 10; ++i)
    b[198 + i] = static_cast<char>(i + 1);
  Dir.Write("mcidem.dsk", b);

  auto option = MakeOption();
  EXPECT_EQ(option->EmlutorCPU, 3);
  EXPECT_EQ(option->EmlutorROM, 0);
  EXPECT_TRUE(option->P36IO && option->P37IO);
  EXPECT_EQ(option->SelectPort, 2);
  EXPECT_EQ(option->ASM_RegisterBank, 1);
  EXPECT_EQ(option->C_RegisterBank, 2);
  EXPECT_EQ(option->C_Compile, 2);
  EXPECT_EQ(option->C_Optimize, 3);
  EXPECT_EQ(option->Memory1Bounds, (TBounds{5, 6, 7, 8}));
  EXPECT_EQ(option->CompileLinkMsgBounds, (TBounds{25, 26, 27, 28}));
  EXPECT_FALSE(option->RegistOpen);
  EXPECT_TRUE(option->Memory1Open && option->StackOpen && option->VariableOpen);
  EXPECT_EQ(option->MainBounds, (TBounds{-8, -4, 1024, 768}));
  EXPECT_EQ(option->FontColor, 0x00FF8040u);
  EXPECT_EQ(option->FontHeight, -13);
  EXPECT_EQ(option->FontName, "Courier");
  EXPECT_EQ(option->FontSize, 9);
  EXPECT_EQ(option->FontStyle, 0x0B);
  EXPECT_EQ(option->DelayTime, 100);
  EXPECT_EQ(option->C_CmdShow, 3);
  EXPECT_EQ(option->Encode(), b) << "reserved bytes come back unchanged";
}

TEST_F(TOptionTest, RecordsFillStringsLibrariesRegistersAndTheCurrentDirectory) {
  fs::create_directory(Dir.Path / "last");
  std::string file = DefaultBlock();
  file += Record(0, "a51 extra") + Record(1, std::string("c\0junk", 6)) + Record(2, "");
  file += Record(3, "/l/a.lib") + Record(3, "/l/b.lib");
  file += Record(4, "/t/bin") + Record(5, "/t/inc") + Record(6, "/t/lib");
  file += Record(9, "ignored") + Record(7, (Dir.Path / "last").string());
  file += RegisterRecord("P2", 0, 0, 0xA0, 1);
  file += Record(8, std::string("\x02XY\0\0\0\0\0\0\0\0\x20\x01", 13)); // one byte short
  file += RegisterRecord("LONGNAME9", 1, 0x83, 0x82, 0);
  file[file.size() - 14] = static_cast<char>(200); // name length past the field
  Dir.Write("mcidem.dsk", file);

  auto option = MakeOption();
  EXPECT_EQ(option->ASM_Other, "a51 extra");
  EXPECT_EQ(option->C_Other, "c");
  EXPECT_EQ(option->LinkOther, "");
  EXPECT_EQ(option->LibName, (std::vector<std::string>{"/l/a.lib", "/l/b.lib"}));
  EXPECT_EQ(option->BINPath + option->INCPath + option->LIBPath, "/t/bin/t/inc/t/lib");
  EXPECT_EQ(fs::current_path(), Dir.Path / "last");
  EXPECT_EQ(RegisterNames(*CPU), "P2 LONGNAME9 ");
  EXPECT_EQ(RegisterNames(*PrevCPU), "P2 LONGNAME9 ");
  EXPECT_EQ(CPU->Registers[1].Addr, 0x82);
  CPU->Registers[0].Visible = 0;
  EXPECT_EQ(PrevCPU->Registers[0].Visible, 1) << "each instance owns its records";
}

TEST_F(TOptionTest, WrongSignatureGivesTheDefaultsOverWhatWasRead) {
  std::string file = DefaultBlock();
  Put(file, 0, 0x5102000D, 4);
  file[195] = 50;
  file += Record(0, "lost") + RegisterRecord("P2", 0, 0, 0xA0, 1);
  Dir.Write("mcidem.dsk", file);
  auto option = MakeOption();
  EXPECT_EQ(option->LoadFromFile(DskPath().string()), 0);
  EXPECT_EQ(option->Encode(), DefaultBlock());
  EXPECT_EQ(option->ASM_Other, "");
  EXPECT_EQ(CPU->Registers.size(), 29u);
  EXPECT_EQ(PrevCPU->Registers.size(), 29u);
}

TEST_F(TOptionTest, UnreadableOrShortFilesFailAndLeaveTheDefaults) {
  auto option = MakeOption();
  Dir.Write("short.dsk", DefaultBlock().substr(0, 207));
  fs::create_directory(Dir.Path / "folder.dsk");
  for (const std::string& name :
       {std::string(), (Dir.Path / "missing.dsk").string(), (Dir.Path / "folder.dsk").string(),
        (Dir.Path / "short.dsk").string()}) {
    option->DelayTime = 77;
    option->C_Other = "kept?";
    EXPECT_EQ(option->LoadFromFile(name), -1) << name;
    if (name.ends_with("short.dsk")) {
      EXPECT_EQ(option->DelayTime, 1) << "a short block gives the defaults";
      EXPECT_EQ(option->C_Other, "");
    }
  }
}

TEST_F(TOptionTest, AFileCutInsideTheRecordsKeepsTheBlockAndTheCompleteRecords) {
  const std::string block = [] {
    std::string b = DefaultBlock();
    b[195] = 9;
    return b;
  }();
  const std::string file = block + Record(0, "A") + Record(1, "BB") +
                           RegisterRecord("IE", 0, 0, 0xA8, 1) + Record(4, "/bin");
  struct Case {
    size_t Cut;
    const char* ASM;
    const char* C;
    size_t Registers;
  };
  // Records end at 212, 217 and 234.
  for (const Case& c : {Case{208, "", "", 0},
                        {210, "", "", 0},
                        {211, "", "", 0},
                        {212, "A", "", 0},
                        {216, "A", "", 0},
                        {217, "A", "BB", 0},
                        {233, "A", "BB", 0},
                        {234, "A", "BB", 1}}) {
    Dir.Write("mcidem.dsk", file.substr(0, c.Cut));
    CPU->ClearRegisters();
    PrevCPU->ClearRegisters();
    {
      auto option = MakeOption();
      EXPECT_EQ(option->DelayTime, 9) << c.Cut;
      EXPECT_EQ(option->ASM_Other, c.ASM) << c.Cut;
      EXPECT_EQ(option->C_Other, c.C) << c.Cut;
      EXPECT_EQ(option->BINPath, "") << c.Cut;
      EXPECT_EQ(CPU->Registers.size(), c.Registers) << c.Cut;
    }
  }
}

TEST_F(TOptionTest, AMissingTag7FolderLeavesTheCurrentDirectory) {
  fs::current_path(Dir.Path);
  Dir.Write("mcidem.dsk",
            DefaultBlock() + Record(7, (Dir.Path / "gone").string()) + Record(0, "after"));
  auto option = MakeOption();
  EXPECT_EQ(fs::current_path(), Dir.Path);
  EXPECT_EQ(option->ASM_Other, "after");
}

TEST_F(TOptionTest, LongestRecordsAreReadAndWrittenWhole) {
  const std::string longest(65535, 'x');
  Dir.Write("mcidem.dsk", DefaultBlock() + Record(0, longest));
  auto option = MakeOption();
  EXPECT_EQ(option->ASM_Other, longest);
  option->C_Other = std::string(70000, 'y');
  ASSERT_EQ(option->SaveToFile(DskPath().string()), 0);
  ASSERT_EQ(option->LoadFromFile(DskPath().string()), 0);
  EXPECT_EQ(option->ASM_Other, longest);
  EXPECT_EQ(option->C_Other, std::string(65535, 'y')) << "a record holds at most 65535 bytes";
}

TEST_F(TOptionTest, FontNameIsStoredAsAtMost32GbkBytes) {
  auto option = MakeOption();
  struct Case {
    std::string Utf8;
    std::string Stored; // length byte and bytes
  };
  std::string sixteen;
  for (int i = 0; i < 16; ++i)
    sixteen += "宋";
  const std::string seventeen = sixteen + "宋";
  const std::string gbk16 = [] {
    std::string s;
    for (int i = 0; i < 16; ++i)
      s += "\xCB\xCE";
    return s;
  }();
  for (const Case& c : {Case{"宋体", "\x04\xCB\xCE\xCC\xE5"},
                        Case{"Fixedsys", "\x08"
                                         "Fixedsys"},
                        Case{seventeen, "\x20" + gbk16},
                        Case{"a" + sixteen, "\x1F"
                                            "a" +
                                                gbk16.substr(0, 30)}}) {
    option->FontName = c.Utf8;
    const std::string block = option->Encode();
    EXPECT_EQ(block.substr(156, c.Stored.size()), c.Stored) << c.Utf8;
    EXPECT_EQ(block.substr(156 + c.Stored.size(), 33 - c.Stored.size()),
              std::string(33 - c.Stored.size(), '\0'));
  }
  std::string block = DefaultBlock();
  block[156] = static_cast<char>(255);
  block.replace(157, 32, gbk16);
  option->Decode(block);
  EXPECT_EQ(option->FontName, sixteen) << "a length past the field reads the whole field";
}

TEST_F(TOptionTest, SettingsSurviveARestartWithoutTheLibraryList) {
  {
    auto option = MakeOption();
    option->DelayTime = 30;
    option->C_CmdShow = 3;
    option->LinkOther.clear();
    option->LibName = {"/l/a.lib"};
    CPU->Registers.pop_back();
    PrevCPU->Registers.pop_back();
  }
  bool tag3 = false;
  ReadTaggedRecords(ReadFile(DskPath()).substr(208),
                    [&](const TaggedRecord& r) { tag3 = tag3 || r.Tag == 3; });
  EXPECT_FALSE(tag3);

  CPU->ClearRegisters();
  PrevCPU->ClearRegisters();
  auto option = MakeOption();
  EXPECT_EQ(option->DelayTime, 30);
  EXPECT_EQ(option->C_CmdShow, 3);
  EXPECT_EQ(option->LinkOther, "") << "an emptied option stays empty";
  EXPECT_TRUE(option->LibName.empty());
  EXPECT_EQ(CPU->Registers.size(), 28u);
  EXPECT_EQ(PrevCPU->Registers.size(), 28u);
}

TEST_F(TOptionTest, SaveFailsForAnEmptyNameOrAMissingFolder) {
  auto option = MakeOption();
  EXPECT_EQ(option->SaveToFile(""), -1);
  EXPECT_EQ(option->SaveToFile((Dir.Path / "no" / "mcidem.dsk").string()), -1);
  EXPECT_FALSE(fs::exists(Dir.Path / "no"));
}
