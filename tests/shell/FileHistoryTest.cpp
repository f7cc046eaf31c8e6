#include "FileHistory.h"
#include "../platform/TempDir.h"
#include "ProfileFile.h"

#include <gtest/gtest.h>

TEST(FileHistory, KeepsFiveDistinctFilesOldestFirst) {
  FileHistory history;
  for (const char* path : {"/a.asm", "/b.asm", "/c.asm", "/d.asm", "/e.asm"})
    history.Add(path);
  history.Add("/B.ASM"); // already there in another letter case
  EXPECT_EQ(history.Files,
            (std::vector<std::string>{"/a.asm", "/b.asm", "/c.asm", "/d.asm", "/e.asm"}));
  history.Add("/f.asm"); // a sixth file drops the oldest
  EXPECT_EQ(history.Files,
            (std::vector<std::string>{"/b.asm", "/c.asm", "/d.asm", "/e.asm", "/f.asm"}));
}

TEST(FileHistory, SavesAndLoadsTheOpenFilesAndTheHistory) {
  TempDir dir;
  const auto one = dir.Write("实验 一/main.asm", "");
  const auto two = dir.Write("two.c", "");
  ProfileFile profile(dir.Path / "mciden.ini");
  SaveCurrentFiles(profile, {one.string(), two.string()});
  FileHistory history;
  history.Add(two.string());
  history.Add(one.string());
  history.Save(profile);
  ASSERT_TRUE(profile.Save());

  const ProfileFile read(dir.Path / "mciden.ini");
  EXPECT_EQ(read.ReadInteger("CurrentFile", "CFCount"), 2);
  EXPECT_EQ(LoadCurrentFiles(read), (std::vector<std::string>{one.string(), two.string()}));
  FileHistory loaded;
  loaded.Load(read);
  EXPECT_EQ(loaded.Files, history.Files);
}

// What a damaged or stale profile holds is skipped: missing counts, keys beyond the count,
// folders, vanished files, and a count far beyond the keys that exist.
TEST(FileHistory, SkipsWhatCannotBeReopened) {
  TempDir dir;
  const auto file = dir.Write("a.asm", "");
  const std::string text = "[CurrentFile]\nCF0=" + file.string() +
                           "\n[HistoryFile]\nHFCount=2147483647\n"
                           "HF0=" +
                           dir.Path.string() + "\nHF1=" + (dir.Path / "gone.asm").string() +
                           "\nHF2=" + file.string() + "\nHF3=\n";
  const ProfileFile profile(dir.Write("mciden.ini", text));
  EXPECT_TRUE(LoadCurrentFiles(profile).empty()); // no CFCount: none
  FileHistory history;
  history.Load(profile);
  EXPECT_EQ(history.Files, std::vector<std::string>{file.string()});
}
