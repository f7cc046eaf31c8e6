#include "SourceFile.h"

#include "../platform/TempDir.h"
#include "TextEncoding.h"

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>

#include <gtest/gtest.h>

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SourceFileTest, SavedFilesKeepTheFormTheirBytesCameIn) {
  const std::string gbkComment = Utf8ToGbk("; 注释");
  const std::string cases[] = {
      "MOV A,#1\r\nNOP\r\n",       "MOV A,#1\nNOP",
      "MOV A,#1\rNOP\r",           gbkComment + "\r\nNOP\r\n",
      "\xEF\xBB\xBF; 注释\nNOP\n", "",
  };
  TempDir dir;
  for (const std::string& bytes : cases) {
    const auto path = dir.Write("a.asm", bytes);
    SourceFile file;
    std::string text;
    ASSERT_TRUE(file.Load(path, text));
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_TRUE(file.Save(path, text)) << file.Error;
    EXPECT_EQ(ReadFile(path), bytes) << testing::PrintToString(bytes);
  }
}

TEST(SourceFileTest, GbkFileIsReadAsUtf8Text) {
  TempDir dir;
  SourceFile file;
  std::string text;
  ASSERT_TRUE(file.Load(dir.Write("a.asm", Utf8ToGbk("; 注释\r\n")), text));
  EXPECT_EQ(text, "; 注释\n");
  EXPECT_EQ(file.Encoding, TextEncoding::Gbk);
  EXPECT_EQ(file.End, SourceFile::LineEnd::CrLf);
}

TEST(SourceFileTest, TextGbkCannotHoldIsNotSavedAsGbk) {
  TempDir dir;
  const auto path = dir.Write("a.asm", Utf8ToGbk("; 注释\r\n"));
  SourceFile file;
  std::string text;
  ASSERT_TRUE(file.Load(path, text));
  EXPECT_FALSE(file.Save(path, text + "; ☃ 😀\n"));
  EXPECT_TRUE(file.NeedsUtf8);
  EXPECT_EQ(ReadFile(path), Utf8ToGbk("; 注释\r\n"));
  file.Encoding = TextEncoding::Utf8;
  EXPECT_TRUE(file.Save(path, text + "; ☃\n"));
  EXPECT_EQ(ReadFile(path), "; 注释\r\n; ☃\r\n");
}

TEST(SourceFileTest, FailedSaveSaysWhyAndKeepsTheOldFile) {
  TempDir dir;
  SourceFile file;
  EXPECT_FALSE(file.Save(dir.Path / "no-such-folder" / "a.asm", "NOP\n"));
  EXPECT_EQ(file.Error.rfind("无法写入文件：", 0), 0u) << file.Error;
  EXPECT_NE(file.Error.find("No such file or directory"), std::string::npos) << file.Error;
  std::string text;
  EXPECT_FALSE(file.Load(dir.Path / "none.asm", text));
}

TEST(SourceFileTest, ChangeOnDiskIsNoticedButNotOurOwnSave) {
  TempDir dir;
  const auto path = dir.Write("a.asm", "NOP\n");
  SourceFile file;
  std::string text;
  ASSERT_TRUE(file.Load(path, text));
  EXPECT_FALSE(file.ChangedOnDisk());
  ASSERT_TRUE(file.Save(path, "RET\n"));
  EXPECT_FALSE(file.ChangedOnDisk());
  dir.Write("a.asm", "SJMP $\n");
  EXPECT_TRUE(file.ChangedOnDisk());
  ASSERT_TRUE(file.Load(path, text));
  std::filesystem::remove(path);
  EXPECT_TRUE(file.ChangedOnDisk());
}

} // namespace
