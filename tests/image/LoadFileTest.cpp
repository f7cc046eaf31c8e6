#include "LoaderFixture.h"
#include "OmfBuilder.h"

#include <vector>

using LoadFile = LoaderTest;

TEST_F(LoadFile, ChoosesTheReaderByExtensionInAnyLetterCase) {
  const std::string omf = OmfBuilder().Content(0x0040, {0x22}).Bytes;
  struct Case {
    const char* Name;
    std::string Bytes;
    int Result;
    uint8_t Kind;
  };
  const Case cases[] = {
      {"PROG.hex", ":0100300022AD\r\n", 0, fkHex},
      {"prog.Bin", "\x22", 0, fkBin},
      {"x.obj", omf, 0, fkOmf},
      {"X.O", omf, 0, fkOmf},
      {"y.OMF", omf, 0, fkOmf},
      {"prog.H86", ":0100300022AD\r\n", -1, fkNone},
      {"lab.hex/prog", ":0100300022AD\r\n", -1, fkNone}, // the dot of a folder is no extension
  };
  UI.Answer = 0x0050;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    UI.Messages.clear();
    CPU->PC = 0x1234;
    EXPECT_EQ(Load(c.Name, c.Bytes), c.Result);
    EXPECT_EQ(Omf.FileKind, c.Kind);
    if (c.Result == 0) {
      EXPECT_TRUE(UI.Messages.empty());
      EXPECT_EQ(CPU->PC, Omf.StartAddr);
      EXPECT_NE(CPU->PC, 0x1234);
    } else {
      EXPECT_EQ(UI.Messages, std::vector<std::string>{"文件类型没有定义"});
      EXPECT_EQ(CPU->PC, 0x1234);
    }
  }
}

TEST_F(LoadFile, EveryLoadResetsTheDisassemblyAndReplacesTheModel) {
  int resets = 0;
  Omf.ResetDisassembly = [&resets] { ++resets; };
  ASSERT_EQ(Load("a.omf", OmfBuilder().BeginModule("A").Content(0x10, {1}).Bytes), 0);
  ASSERT_EQ(Omf.Modules.size(), 1u);
  ASSERT_EQ(Load("b.hex", ":0100200002DD\n"), 0);
  EXPECT_EQ(resets, 2);
  EXPECT_TRUE(Omf.Modules.empty());
  EXPECT_EQ(Omf.StartAddr, 0x0020);
  EXPECT_EQ(Omf.EndAddr, 0x0020);
  EXPECT_EQ(CPU->Code[0x0010], 1); // loading never clears program memory
}

namespace {

struct HexCase {
  const char* What;
  std::string Text;
  uint16_t Start, End;
  std::vector<std::pair<uint16_t, uint8_t>> Bytes; // expected contents
  std::vector<std::string> Messages;
  int Result = 0;
};

std::string BadLine(int line) {
  return "HEX 文件第 " + std::to_string(line) +
         " 行不是有效的记录（冒号、长度或校验和不对），无效的记录没有装入";
}

} // namespace

TEST_F(LoadFile, HexRecords) {
  const std::string outside = "HEX 文件第 2 行的数据超出 64 KB 程序存储器，超出的数据没有装入";
  const std::string noData = "HEX 文件里没有数据记录，什么也没有装入";
  const HexCase cases[] = {
      {"two records, lowest first in the range",
       ":10010000000102030405060708090A0B0C0D0E0F77\r\n:03000000020100FA\r\n:00000001FF\r\n",
       0x0000,
       0x010F,
       {{0x0100, 0x00}, {0x010F, 0x0F}, {0x0000, 0x02}, {0x0001, 0x01}},
       {}},
      {"a stop line ends the reading",
       ":0100100011DE\n:00000001FF\n:01002000FFE0\n",
       0x0010,
       0x0010,
       {{0x0010, 0x11}, {0x0020, 0x00}},
       {}},
      {"any record with a zero count stops",
       ":0100100011DE\n:00002000FF\n:01002000FFE0\n",
       0x0010,
       0x0010,
       {{0x0020, 0x00}},
       {}},
      {"blank lines, LF endings, lower-case digits",
       "\n:02001000abCD76\n   \n",
       0x0010,
       0x0011,
       {{0x0010, 0xAB}, {0x0011, 0xCD}},
       {}},
      {"bad records are skipped and the first is named",
       ":0100100011DE\n:02001000G1FF00\r\n:03001000AB\r\n:0100200033AD\n0100200033AC\n"
       ":0200200033AC\n:0100200033AC \n",
       0x0010,
       0x0020,
       {{0x0010, 0x11}, {0x0011, 0x00}, {0x0020, 0x33}},
       {BadLine(2)}},
      {"only bad records: nothing is loaded", "x\n", 0xFFFF, 0x0000, {}, {BadLine(1), noData}, -1},
      {"a line longer than any record is bad",
       ":0100100011DE\n:" + std::string(1000, '1') + "\n",
       0x0010,
       0x0010,
       {{0x0010, 0x11}},
       {BadLine(2)}},
      {"no data record at all", ":00000001FF\n", 0xFFFF, 0x0000, {}, {noData}, -1},
      {"linear address 0 and start addresses store nothing",
       ":020000040000FA\n:0400000300001234B3\n:0400000500001234B1\n:0100100011DE\n",
       0x0010,
       0x0010,
       {{0x0000, 0x00}, {0x0001, 0x00}, {0x0010, 0x11}},
       {}},
      {"a segment address moves the data",
       ":020000020800F4\n:0100100011DE\n",
       0x8010,
       0x8010,
       {{0x8010, 0x11}, {0x0010, 0x00}},
       {}},
      {"data beyond 64 KB is skipped and named",
       ":0100100011DE\n:020000040001F9\n:0100100022CD\n:020000040000FA\n:0100200033AC\n",
       0x0010,
       0x0020,
       {{0x0010, 0x11}, {0x0020, 0x33}},
       {"HEX 文件第 3 行的数据超出 64 KB 程序存储器，超出的数据没有装入"}},
      {"a record running past FFFFH is skipped",
       ":0100100011DE\n:04FFFE0001020304F5\n",
       0x0010,
       0x0010,
       {{0xFFFE, 0x00}, {0x0000, 0x00}},
       {outside}},
      {"the last byte of memory", ":01FFFF009968\n", 0xFFFF, 0xFFFF, {{0xFFFF, 0x99}}, {}},
  };
  for (const HexCase& c : cases) {
    SCOPED_TRACE(c.What);
    CPU->Code.fill(0);
    CPU->PC = 0x1234;
    UI.Messages.clear();
    ASSERT_EQ(Load("p.hex", c.Text), c.Result);
    EXPECT_EQ(Omf.StartAddr, c.Start);
    EXPECT_EQ(Omf.EndAddr, c.End);
    EXPECT_EQ(CPU->PC, c.Result == 0 ? c.Start : 0x1234);
    for (const auto& [address, value] : c.Bytes)
      EXPECT_EQ(CPU->Code[address], value) << std::hex << address;
    EXPECT_EQ(UI.Messages, c.Messages);
  }
}

TEST_F(LoadFile, AProgramFileAbove64MBIsRefusedBeforeItIsRead) {
  const auto big = Dir.Path / "big.hex";
  Dir.Write("big.hex", ":0100100011DE\n");
  std::filesystem::resize_file(big, (64u << 20) + 1);
  CPU->Code[0x0010] = 0;
  EXPECT_EQ(Omf.LoadFile(big.string()), -1);
  EXPECT_EQ(UI.Messages, std::vector<std::string>{"文件太大，不能装入"});
  EXPECT_EQ(CPU->Code[0x0010], 0x00);
}

TEST_F(LoadFile, HexRecordsGoOnToTheEmulator) {
  ASSERT_EQ(Load("p.hex", ":020000040000FA\n:020010001122BB\n:0100200033AC\n"), 0);
  EXPECT_EQ(Link.Code, (std::vector<std::pair<uint16_t, int>>{{0x0010, 2}, {0x0020, 1}}));
}

TEST_F(LoadFile, AnUnreadableHexFileIsReported) {
  CPU->PC = 0x1234;
  const std::string name = (Dir.Path / "missing.HEX").string();
  EXPECT_EQ(Omf.LoadFile(name), -1);
  EXPECT_EQ(UI.Messages, std::vector<std::string>{"无法读取文件：" + name});
  EXPECT_EQ(CPU->PC, 0x1234);
}

TEST_F(LoadFile, BinImagesAtTheAddressTheUserGives) {
  struct Case {
    size_t Size;
    std::optional<uint16_t> Address;
    int Result;
    uint16_t Start, End;
    bool Refused;
  };
  const Case cases[] = {
      {0x100, 0xFEFF, 0, 0xFEFF, 0xFFFE, false},
      {0x100, 0xFF00, -1, 0xFFFF, 0x0000, true},
      {0, 0x1234, 0, 0x1234, 0x1233, false},
      {0x10, std::nullopt, 0, 0xFFFF, 0x0000, false}, // cancelled: nothing loaded
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Size);
    CPU->Code.fill(0);
    CPU->PC = 0x4321;
    UI.Messages.clear();
    UI.Asked.clear();
    Link.Code.clear();
    UI.Answer = c.Address;
    EXPECT_EQ(Load("p.bin", std::string(c.Size, '\x5A')), c.Result);
    EXPECT_EQ(UI.Asked, (std::vector<std::pair<uint16_t, bool>>{{0, false}}));
    EXPECT_EQ(Omf.StartAddr, c.Start);
    EXPECT_EQ(Omf.EndAddr, c.End);
    EXPECT_EQ(CPU->PC, c.Result == 0 ? c.Start : 0x4321);
    const bool loaded = c.Result == 0 && c.Address && c.Size > 0;
    EXPECT_EQ(CPU->Code[c.Start], loaded ? 0x5A : 0);
    EXPECT_EQ(Link.Code.size(), loaded ? 1u : 0u);
    EXPECT_EQ(UI.Messages, c.Refused ? std::vector<std::string>{"文件太大，不能装入"}
                                     : std::vector<std::string>{});
  }
  UI.Answer = 0;
  UI.Messages.clear();
  EXPECT_EQ(Omf.LoadFile((Dir.Path / "missing.bin").string()), -1);
  EXPECT_TRUE(UI.Messages.empty());
}
