#include "AtomicFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(AtomicFile, WritesThroughASymlinkAndKeepsHardLinksAndTheMode) {
  namespace fs = std::filesystem;
  TempDir dir;
  const auto target = dir.Write("real/prog.bin", "old");
  fs::permissions(target, fs::perms(0640));
  fs::create_symlink("real/prog.bin", dir.Path / "link.bin");
  ASSERT_TRUE(WriteFileAtomically(dir.Path / "link.bin", "new"));
  EXPECT_TRUE(fs::is_symlink(dir.Path / "link.bin"));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(target, bytes));
  EXPECT_EQ(bytes, "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));

  fs::create_hard_link(target, dir.Path / "second.bin");
  ASSERT_TRUE(WriteFileAtomically(target, "both"));
  ASSERT_TRUE(ReadWholeFile(dir.Path / "second.bin", bytes));
  EXPECT_EQ(bytes, "both");
  EXPECT_EQ(fs::hard_link_count(target), 2u);
}

TEST(AtomicFile, RefusesTargetsThatAreNoRegularFile) {
  TempDir dir;
  const auto fifo = dir.Path / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  std::filesystem::create_symlink(fifo, dir.Path / "to-pipe");
  // /dev/null is only checked to be refused; it is never written.
  for (const std::filesystem::path& p :
       {fifo, dir.Path / "to-pipe", std::filesystem::path("/dev/null")}) {
    std::string why;
    EXPECT_FALSE(WriteFileAtomically(p, "x", &why)) << p;
    EXPECT_EQ(why, "not a regular file") << p;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path / "to-pipe"));
  // Reading a FIFO would wait for a writer: it is refused at once.
  std::string bytes;
  EXPECT_FALSE(ReadWholeFile(fifo, bytes));
  std::string why;
  EXPECT_FALSE(WriteFileAtomically(dir.Path / "no/such/x", "y", &why));
  EXPECT_EQ(why, "No such file or directory");
}
