#include "TextFileLines.h"

#include "../platform/TempDir.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::vector<std::string> ReadAll(const std::string& bytes) {
  std::istringstream in(bytes);
  TextFileLines lines(in);
  std::vector<std::string> result;
  std::string line;
  while (lines.ReadLine(line))
    result.push_back(line);
  return result;
}

using Lines = std::vector<std::string>;

TEST(TextFileLinesTest, LineEndsAtCrLfCrOrLfAndTheEndOfFileMarkEndsTheText) {
  const struct {
    std::string Bytes;
    Lines Expected;
  } cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"\n", {""}},
      {"a\r\n\x1A"
       "behind the mark\r\n",
       {"a"}},
      {"a\x1A", {"a"}},
      {"\x1A", {}},
      {"\fpage\r\n", {"\fpage"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadAll(c.Bytes), c.Expected) << testing::PrintToString(c.Bytes);
}

TEST(TextFileLinesTest, AVeryLongLineKeepsItsStartAndTheNextLineIsRead) {
  const std::string lines =
      ReadAll(std::string(TextFileLines::MaxLineLength + 10, 'x') + "\nnext").back();
  EXPECT_EQ(lines, "next");
  EXPECT_EQ(ReadAll(std::string(TextFileLines::MaxLineLength + 10, 'x')).front().size(),
            TextFileLines::MaxLineLength);
}

TEST(TextFileLinesTest, OpensOnlyRegularFiles) {
  TempDir dir;
  std::ifstream file;
  EXPECT_TRUE(OpenTextFile(dir.Write("a.lst", "x"), file));
  std::ifstream folder;
  EXPECT_FALSE(OpenTextFile(dir.Path, folder));
  const auto fifo = dir.Path / "fifo.lst";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::ifstream pipe;
  EXPECT_FALSE(OpenTextFile(fifo, pipe));
  std::ifstream missing;
  EXPECT_FALSE(OpenTextFile(dir.Path / "none.lst", missing));
}

} // namespace
