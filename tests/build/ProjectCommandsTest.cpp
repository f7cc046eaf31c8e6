#include "ProjectCommands.h"
#include "FileListEditor.h"
#include "OptionFixture.h"
#include "TProject.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

class ProjectCommandsTest : public OptionFixture {
protected:
  void SetUp() override { Option = MakeOption(); }
  std::string Prj(const char* name) const { return (Dir.Path / name).string(); }

  std::unique_ptr<TOption> Option;
  TProject Project;
};

} // namespace

TEST_F(ProjectCommandsTest, OpeningSwitchingAndClosingKeepTheLibrariesWithTheirProject) {
  {
    TProject first;
    first.Files = {"/s/a.c"};
    first.LibFiles = {"/l/a.lib"};
    first.SaveToFile(Prj("A.PRJ"));
  }
  OpenProject(Project, *Option, Prj("A.PRJ"));
  EXPECT_EQ(Option->LibName, Names{"/l/a.lib"});

  // The options dialog is confirmed with another library list.
  Option->LibName = {"/l/a.lib", "/l/b.lib"};
  ConfirmOptionLibraries(*Option, Project);

  SaveOpenProject(Project);
  OpenProject(Project, *Option, Prj("NEW.PRJ"));
  EXPECT_TRUE(Option->LibName.empty());
  EXPECT_TRUE(Project.Files.empty());

  Project.Files = {"/s/n.asm"};
  CloseProject(Project, *Option);
  EXPECT_EQ(Project.FileName, "");
  EXPECT_EQ(Project.Files, Names{"/s/n.asm"}) << "kept in memory until the next open";
  EXPECT_TRUE(Option->LibName.empty());

  TProject check;
  check.Open(Prj("A.PRJ"));
  EXPECT_EQ(check.LibFiles, (Names{"/l/a.lib", "/l/b.lib"}));
  check.Open(Prj("NEW.PRJ"));
  EXPECT_EQ(check.Files, Names{"/s/n.asm"});
  check.Clear();
}

TEST_F(ProjectCommandsTest, ConfirmingOptionsWithoutAProjectStillCopiesTheLibraries) {
  Option->LibName = {"/l/x.lib"};
  ConfirmOptionLibraries(*Option, Project);
  EXPECT_EQ(Project.LibFiles, Names{"/l/x.lib"});
  CloseProject(Project, *Option);
  EXPECT_TRUE(Option->LibName.empty());
  EXPECT_TRUE(fs::is_empty(Dir.Path)) << "no project, nothing saved";
}

TEST(FileListEditor, ButtonsFollowTheListAndTheSelection) {
  FileListEditor list;
  EXPECT_FALSE(list.CanDelete() || list.CanDeleteAll());
  list.SelectFirst();
  EXPECT_EQ(list.Selected, -1);

  list.Assign({"/a.c", "/b.asm"});
  EXPECT_FALSE(list.CanDelete());
  EXPECT_TRUE(list.CanDeleteAll());
  list.Add({"/a.c"});
  EXPECT_EQ(list.Entries, (Names{"/a.c", "/b.asm", "/a.c"}));

  list.Select(1);
  list.DeleteSelected();
  EXPECT_EQ(list.Entries, (Names{"/a.c", "/a.c"}));
  EXPECT_FALSE(list.CanDelete());
  list.DeleteSelected();
  EXPECT_EQ(list.Entries.size(), 2u);

  list.Select(5);
  EXPECT_FALSE(list.CanDelete());
  list.SelectFirst();
  EXPECT_TRUE(list.CanDelete());
  list.DeleteAll();
  EXPECT_FALSE(list.CanDelete() || list.CanDeleteAll());
}
