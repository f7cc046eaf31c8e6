#include "TProject.h"
#include "../platform/TempDir.h"
#include "AtomicFile.h"
#include "TaggedRecords.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string Record(uint8_t tag, std::string_view text) {
  std::string r;
  AppendTaggedRecord(r, tag, text);
  return r;
}

using Names = std::vector<std::string>;

} // namespace

TEST(TProject, SaveWritesFilesThenLibrariesSkippingEmptyNames) {
  TempDir dir;
  const std::string name = (dir.Path / "P.PRJ").string();
  TProject project;
  project.Files = {"/lab/main.c", "", "/lab/util.asm", "/lab/main.c"};
  project.LibFiles = {"/l/x.lib", "/l/y.lib"};
  ASSERT_EQ(project.SaveToFile(name), 0);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(name, bytes));
  EXPECT_EQ(bytes, std::string("\x01\x0B\x00/lab/main.c", 14) + "\x01\x0D" + std::string(1, '\0') +
                       "/lab/util.asm" + Record(1, "/lab/main.c") + Record(0, "/l/x.lib") +
                       Record(0, "/l/y.lib"));

  TProject reopened;
  EXPECT_EQ(reopened.Open(name), 0);
  EXPECT_EQ(reopened.FileName, name);
  EXPECT_EQ(reopened.Files, (Names{"/lab/main.c", "/lab/util.asm", "/lab/main.c"}));
  EXPECT_EQ(reopened.LibFiles, (Names{"/l/x.lib", "/l/y.lib"}));
}

TEST(TProject, ReaderKeepsFileOrderIgnoresOtherTagsAndStopsAtACut) {
  TempDir dir;
  const std::string whole = Record(0, "/l/a.lib") + Record(1, std::string("/s/a.c\0x", 8)) +
                            Record(7, "other") + Record(1, "/s/b.asm") + Record(0, "/l/b.lib");
  const fs::path path = dir.Write("P.PRJ", whole);
  TProject project;
  EXPECT_EQ(project.Open(path.string()), 0);
  EXPECT_EQ(project.Files, (Names{"/s/a.c", "/s/b.asm"}));
  EXPECT_EQ(project.LibFiles, (Names{"/l/a.lib", "/l/b.lib"}));

  dir.Write("P.PRJ", whole.substr(0, whole.size() - 1));
  EXPECT_EQ(project.Open(path.string()), 0);
  EXPECT_EQ(project.Files, (Names{"/s/a.c", "/s/b.asm"}));
  EXPECT_EQ(project.LibFiles, (Names{"/l/a.lib"}));

  dir.Write("P.PRJ", "\x01\xFF");
  EXPECT_EQ(project.Open(path.string()), 0);
  EXPECT_TRUE(project.Files.empty() && project.LibFiles.empty());
}

TEST(TProject, OpeningAMissingFileStartsAnEmptyProjectUnderThatName) {
  TempDir dir;
  const std::string name = (dir.Path / "NEW.PRJ").string();
  Names history;
  TProject project;
  project.AddHistoryFile = [&](const std::string& n) { history.push_back(n); };
  project.Files = {"/old.c"};
  EXPECT_EQ(project.Open(name), -1);
  EXPECT_EQ(project.FileName, name);
  EXPECT_TRUE(project.Files.empty());
  EXPECT_EQ(history, Names{name});
  EXPECT_FALSE(fs::exists(name)) << "created only when saved";

  fs::create_directory(dir.Path / "DIR.PRJ");
  EXPECT_EQ(project.Open((dir.Path / "DIR.PRJ").string()), -1) << "a folder reads as missing";
  EXPECT_EQ(project.SaveToFile(project.FileName), -1);
  EXPECT_TRUE(fs::is_directory(dir.Path / "DIR.PRJ"));
  project.Open(name);

  project.Files = {"/kept.c"};
  EXPECT_EQ(project.Open(""), -1);
  EXPECT_EQ(project.FileName, name);
  EXPECT_EQ(project.Files, Names{"/kept.c"});
  EXPECT_EQ(history, (Names{name, (dir.Path / "DIR.PRJ").string(), name}));
}

TEST(TProject, AnOpenProjectIsSavedWhenDestroyed) {
  TempDir dir;
  const std::string name = (dir.Path / "P.PRJ").string();
  {
    TProject project;
    project.Open(name);
    project.Files = {"/s/a.c"};
  }
  {
    TProject project;
    project.Files = {"/s/never.c"};
  }
  TProject reopened;
  reopened.Open(name);
  EXPECT_EQ(reopened.Files, Names{"/s/a.c"});
  reopened.Clear();
  EXPECT_EQ(reopened.FileName, "");
}

TEST(TProject, SaveFailsForAnEmptyNameOrAMissingFolder) {
  TempDir dir;
  TProject project;
  project.Files = {"/s/a.c"};
  EXPECT_EQ(project.SaveToFile(""), -1);
  EXPECT_EQ(project.SaveToFile((dir.Path / "no" / "P.PRJ").string()), -1);
}
