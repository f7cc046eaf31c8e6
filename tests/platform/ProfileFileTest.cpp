#include "ProfileFile.h"
#include "AtomicFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

TEST(ProfileFile, ReadsSectionsAndKeysIgnoringCaseAndBlanks) {
  TempDir dir;
  const auto path =
      dir.Write("p.ini", "; comment\r\n[CurrentFile]\r\n CFCount = 2 \r\nCF0=/a b/文件.asm\r\n"
                         "[historyfile]\nhfcount=x7\n");
  const ProfileFile profile(path);
  EXPECT_EQ(profile.ReadInteger("currentfile", "cfcount"), 2);
  EXPECT_EQ(profile.ReadString("CurrentFile", "CF0"), "/a b/文件.asm");
  EXPECT_EQ(profile.ReadString("CurrentFile", "CF1", "none"), "none");
  EXPECT_EQ(profile.ReadInteger("HistoryFile", "HFCount", 9), 0); // not a number
  EXPECT_EQ(profile.ReadInteger("HistoryFile", "Missing", 9), 9);
  EXPECT_EQ(profile.KeyCount("CurrentFile"), 2);
  EXPECT_EQ(profile.KeyCount("Nowhere"), 0);
}

TEST(ProfileFile, WritesKeepOtherLinesAndReplaceExistingKeys) {
  TempDir dir;
  const auto path =
      dir.Write("p.ini", "[Ports]\nCOM1=/dev/pts/3\n\n[HistoryFile]\nHF0=old\nHF7=stale\n");
  ProfileFile profile(path);
  profile.WriteString("historyfile", "hf0", "new");
  profile.WriteInteger("HistoryFile", "HFCount", 1);
  profile.WriteString("CurrentFile", "CFCount", "0");
  ASSERT_TRUE(profile.Save());
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, "[Ports]\nCOM1=/dev/pts/3\n\n[HistoryFile]\nhf0=new\nHF7=stale\nHFCount=1\n\n"
                   "[CurrentFile]\nCFCount=0\n");
}

TEST(ProfileFile, MissingFileReadsEmptyAndSaveCreatesItsFolder) {
  TempDir dir;
  ProfileFile profile(dir.Path / "corvel" / "mciden.ini");
  EXPECT_EQ(profile.ReadString("A", "B"), "");
  profile.WriteString("A", "B", "C");
  ASSERT_TRUE(profile.Save());
  EXPECT_EQ(ProfileFile(dir.Path / "corvel" / "mciden.ini").ReadString("a", "b"), "C");
}

TEST(ProfileFile, SaveIntoAFolderThatCannotBeWrittenFailsAndKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempDir dir;
  const auto path = dir.Write("ro/p.ini", "[A]\nB=old\n");
  std::filesystem::permissions(dir.Path / "ro", std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::owner_exec);
  ProfileFile profile(path);
  profile.WriteString("A", "B", "new");
  EXPECT_FALSE(profile.Save());
  std::filesystem::permissions(dir.Path / "ro", std::filesystem::perms::owner_all);
  EXPECT_EQ(ProfileFile(path).ReadString("A", "B"), "old");
}
