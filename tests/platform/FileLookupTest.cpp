#include "FileLookup.h"
#include "TempDir.h"

#include <gtest/gtest.h>

TEST(FileLookup, FindsEveryComponentIgnoringCase) {
  TempDir dir;
  const auto file = dir.Write("Lab/Main.lst", "x");
  EXPECT_EQ(FindFileIgnoringCase(dir.Path / "Lab/Main.lst"), file);
  EXPECT_EQ(FindFileIgnoringCase(dir.Path / "LAB/MAIN.LST"), file);
  EXPECT_EQ(FindFileIgnoringCase(dir.Path / "lab/missing.lst"), std::nullopt);
  EXPECT_EQ(FindFileIgnoringCase(dir.Path / "lab"), std::nullopt); // a folder is not a file
}

TEST(FileLookup, RecordedNamesResolveInTheObjectsFolderAndBelowOrWhereTheyLead) {
  TempDir dir;
  const auto obj = dir.Path / "proj";
  dir.Write("proj/demo.omf", "");
  const auto windowsPath = dir.Write("proj/lab/main.c", "c");
  const auto nested = dir.Write("proj/src/asm/Sort.asm", "a");
  const auto sibling = dir.Write("shared/UTIL.C", "u");
  const auto above = dir.Write("Defs.inc", "d");
  const auto besideObject = dir.Write("src/main.c", "m");
  struct Case {
    std::string Recorded;
    std::optional<std::filesystem::path> Expected;
  };
  const Case cases[] = {
      {windowsPath.string(), windowsPath}, // as given
      {"C:\\LAB\\MAIN.C", windowsPath},    // relative, '\' as separator, any case
      {"lab\\Main.C", windowsPath},
      {"SORT.ASM", nested}, // bare name in a sub-folder
      {"D:\\OLD\\PLACE\\sort.asm", nested},
      {"util.c", std::nullopt}, // a neighbour folder only when the name leads there
      {"..\\shared\\util.c", sibling},
      {"DEFS.INC", above},           // the bare name in the folder above
      {"src\\main.c", besideObject}, // relative to the folder the build ran in
      {"nowhere.c", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveRecordedName(c.Recorded, obj), c.Expected) << c.Recorded;
}

TEST(FileLookup, AnEmptyBaseFolderMeansTheCurrentOne) {
  TempDir dir;
  const auto file = dir.Write("Main.LST", "x");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path);
  const auto found = ResolveRecordedName("C:\\LAB\\MAIN.LST", "");
  std::filesystem::current_path(previous);
  ASSERT_TRUE(found.has_value());
  EXPECT_TRUE(std::filesystem::equivalent(dir.Path / *found, file)) << *found;
}
