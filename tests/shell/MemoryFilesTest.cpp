#include "../image/RecordingUI.h"
#include "../platform/TempDir.h"

#include "AtomicFile.h"
#include "BinarySave.h"
#include "DisassemblyListing.h"
#include "TCPU.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
  return bytes;
}

} // namespace

TEST(BinarySave, WritesStartToEndInclusiveRawAndSaysSo) {
  TempDir dir;
  RecordingUI ui;
  auto cpu = std::make_unique<TCPU>();
  for (int i = 0; i < 0x10000; ++i)
    cpu->XData[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7);
  const std::string name = (dir.Path / "ram.bin").string();
  ASSERT_TRUE(SaveBinary(name, cpu->XData, 0x8000, 0x80FF, ui));
  EXPECT_EQ(ReadFile(name), std::string(reinterpret_cast<const char*>(&cpu->XData[0x8000]), 256));
  EXPECT_EQ(ui.Messages, std::vector<std::string>{"文件：" + name + "已经保存完毕"});

  ASSERT_TRUE(SaveBinary(name, cpu->Code, 0xFFFF, 0xFFFF, ui));
  EXPECT_EQ(ReadFile(name).size(), 1u);
  ASSERT_TRUE(SaveBinary(name, cpu->Code, 0x0101, 0x0100, ui));
  EXPECT_EQ(ReadFile(name), "");
}

TEST(BinarySave, AFileThatCannotBeCreatedIsReportedAndNothingIsWritten) {
  TempDir dir;
  RecordingUI ui;
  auto cpu = std::make_unique<TCPU>();
  const std::string name = (dir.Path / "missing" / "rom.bin").string();
  EXPECT_FALSE(SaveBinary(name, cpu->Code, 0, 0xFF, ui));
  EXPECT_EQ(ui.Messages,
            std::vector<std::string>{"不能保存文件：" + name + " (No such file or directory)"});
  EXPECT_FALSE(std::filesystem::exists(name));
}

TEST(DisassemblyListing, KeepsTheChosenColumnsOfEachLine) {
  auto cpu = std::make_unique<TCPU>();
  const uint8_t code[] = {0x02, 0x00, 0x30, 0xE4, 0x80, 0xFE};
  std::copy(std::begin(code), std::end(code), cpu->Code.begin() + 0x100);
  struct Case {
    ListColumns Columns;
    const char* Want;
  };
  const Case cases[] = {
      {{true, true, true},
       "0100   020030      LJMP  0030H\r\n0103   E4          CLR   A\r\n"
       "0104   80FE        SJMP  0104H\r\n"},
      {{false, true, true},
       "020030      LJMP  0030H\r\nE4          CLR   A\r\n80FE        SJMP  0104H\r\n"},
      {{true, false, true}, "0100   LJMP  0030H\r\n0103   CLR   A\r\n0104   SJMP  0104H\r\n"},
      {{true, true, false},
       "0100   020030      \r\n0103   E4          \r\n0104   80FE        \r\n"},
      {{false, false, false}, "\r\n\r\n\r\n"},
  };
  // The end address lies inside the last instruction.
  for (const Case& c : cases)
    EXPECT_EQ(DisassemblyListing(*cpu, 0x100, 0x104, c.Columns), c.Want);
  EXPECT_EQ(DisassemblyListing(*cpu, 0x104, 0x103, {}), "");
}

TEST(DisassemblyListing, StopsAtTheTopOfMemoryInsteadOfWrapping) {
  auto cpu = std::make_unique<TCPU>();
  cpu->Code[0xFFFC] = 0x02; // LJMP: 3 bytes, reaches FFFEH
  cpu->Code[0xFFFF] = 0x74; // MOV A,#n: passes FFFFH
  const std::string listing = DisassemblyListing(*cpu, 0xFFFC, 0xFFFF, {true, false, false});
  EXPECT_EQ(listing, "FFFC   \r\nFFFF   \r\n");
}

TEST(DisassemblyListing, WriteReportsTheOutcome) {
  TempDir dir;
  RecordingUI ui;
  const std::string name = (dir.Path / "prog.lst").string();
  ASSERT_TRUE(WriteListingFile(name, "0000   00          NOP\r\n", ui));
  EXPECT_EQ(ReadFile(name), "0000   00          NOP\r\n");
  EXPECT_FALSE(WriteListingFile((dir.Path / "no" / "x.lst").string(), "", ui));
  EXPECT_EQ(ui.Messages,
            (std::vector<std::string>{"列表文件已经生成", "不能保存文件：" +
                                                              (dir.Path / "no" / "x.lst").string() +
                                                              " (No such file or directory)"}));
}
