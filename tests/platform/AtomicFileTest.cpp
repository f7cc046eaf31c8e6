#include "AtomicFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

TEST(AtomicFile, ReplacesTheWholeFileAndLeavesNoTemporary) {
  TempDir dir;
  const auto path = dir.Write("a.dsk", "old contents that are longer");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("new\0data", 8)));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, std::string("new\0data", 8));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(AtomicFile, AFailedWriteKeepsWhatWasThereAndLeavesNoTemporary) {
  TempDir dir;
  // The rename cannot replace a folder that holds a file: the write fails late.
  const auto inside = dir.Write("busy/keep.txt", "keep me");
  EXPECT_FALSE(WriteFileAtomically(dir.Path / "busy", "lost"));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(inside, bytes));
  EXPECT_EQ(bytes, "keep me");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_FALSE(WriteFileAtomically(dir.Path / "no/such/folder/x", "y"));
  EXPECT_FALSE(ReadWholeFile(dir.Path / "missing", bytes));
  EXPECT_FALSE(ReadWholeFile(dir.Path / "busy", bytes)); // a folder is not read
}
