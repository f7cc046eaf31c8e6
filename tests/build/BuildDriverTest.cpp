#include "BuildDriver.h"

#include "../image/RecordingUI.h"
#include "../platform/TempDir.h"
#include "BatchRunner.h"
#include "BuildHost.h"
#include "Workbench.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// Records what the driver asks of the windows and runs the batch file with the
// batch runner in this process.
class ScriptedBuildHost : public BuildHost {
public:
  std::string ActiveEditorFile() const override { return Active; }
  bool CheckModified(const std::string& fileName) override {
    Checked.push_back(fileName);
    return fileName != CancelFor;
  }
  bool ExecuteAndWait(const std::string& batchFile, int) override {
    Batches.push_back(batchFile);
    BatchRunner(RunnerOutput).Run(batchFile);
    return true;
  }
  void BeginCompileResult(const std::string& caption) override { Caption = caption; }
  void ShowCompileResult(const Lines& lines) override { Messages = lines; }
  void CloseDisassembly() override { ++Closed; }
  void OpenDisassembly(const TDefModuleInfo* module) override {
    ++Opened;
    SourceModule = module;
  }
  void UseInterrupt() override { ++Interrupts; }

  std::string Active;
  std::string CancelFor;
  Lines Checked, Batches, Messages;
  std::string Caption;
  std::ostringstream RunnerOutput;
  int Closed = 0, Opened = 0, Interrupts = 0;
  const TDefModuleInfo* SourceModule = nullptr;
};

constexpr const char* GoodSource = "; 实验程序\r\n"
                                   "        CSEG    AT 0\r\n"
                                   "START:  MOV     A,#1\r\n"
                                   "        SJMP    START\r\n"
                                   "        END\r\n";
constexpr const char* BadSource = "; 实验程序\r\n"
                                  "        CSEG    AT 0\r\n"
                                  "START:  MOVE    A,#1\r\n"
                                  "        SJMP    START\r\n"
                                  "        END\r\n";

class BuildDriverTest : public ::testing::Test {
protected:
  BuildDriverTest() { WB.Option.BINPath = TOOLCHAIN_DIR; }
  ~BuildDriverTest() override { fs::current_path(SavedCwd); }

  std::string Source(const std::string& name, const char* text) {
    return Dir.Write(name, text).string();
  }

  fs::path SavedCwd = fs::current_path();
  TempDir Dir;
  RecordingUI UI;
  Workbench WB{UI, Dir.Path};
  ScriptedBuildHost Host;
  BuildDriver Driver{WB, Host};
};

TEST_F(BuildDriverTest, RuleBNamesWhatIsBuilt) {
  EXPECT_FALSE(Driver.RuleB().Enabled);
  Host.Active = "/lab/demo.asm";
  EXPECT_EQ(Driver.RuleB().Link, "文件编译、连接");
  EXPECT_EQ(Driver.RuleB().LinkLoad, "文件编译、连接、装载");
  WB.Project.FileName = "/lab/p.prj";
  EXPECT_EQ(Driver.RuleB().Link, "项目编译、连接");
  EXPECT_EQ(Driver.RuleB().LinkLoad, "项目编译、连接、装载");
  WB.Project.FileName.clear();
}

TEST_F(BuildDriverTest, FailedBuildListsTheErrorAtItsLineAndLoadsNothing) {
  Host.Active = Source("demo.asm", BadSource);
  Driver.ACompileLinkLoad();
  EXPECT_EQ(Host.Batches, Lines{(Dir.Path / "demo.BAT").string()});
  EXPECT_EQ(Host.Caption, Host.Active + " : 编译结果");
  ASSERT_EQ(Host.Messages.size(), 2u);
  EXPECT_EQ(Host.Messages[0].rfind(Host.Active + " :ERROR IN (LINE 3), ", 0), 0u)
      << Host.Messages[0];
  EXPECT_EQ(Host.Messages[1], "COMPILE COMPLETED,   0 WARNING(S),   1 ERROR(S)");
  EXPECT_FALSE(Driver.CompileOK);
  EXPECT_EQ(UI.Messages, Lines{"编译连接产生错误，不能装载"});
  EXPECT_EQ(Host.Opened, 0);
  EXPECT_TRUE(WB.DebugInfo.FileName.empty());
}

TEST_F(BuildDriverTest, SuccessfulBuildLoadsTheProgramAndOpensItsSource) {
  Host.Active = Source("demo.asm", GoodSource);
  WB.BreakPoints.Add(0x10);
  Driver.ACompileLinkLoad();
  EXPECT_EQ(Host.RunnerOutput.str(), "");
  ASSERT_EQ(Host.Messages.size(), 3u);
  EXPECT_EQ(Host.Messages[0], "COMPILE COMPLETED,   0 WARNING(S),   0 ERROR(S)");
  EXPECT_EQ(Host.Messages[2], "LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)");
  EXPECT_TRUE(Driver.CompileOK);
  EXPECT_EQ(UI.Messages, Lines{"编译、连接成功"});
  EXPECT_EQ(Host.Closed, 1);
  EXPECT_EQ(Host.Opened, 1);
  ASSERT_NE(Host.SourceModule, nullptr);
  EXPECT_EQ(Host.SourceModule->SourceLines.front(), "; 实验程序");
  EXPECT_EQ(WB.BreakPoints.Count(), 0);
  EXPECT_EQ(WB.CPU.Code[0], 0x74);
  EXPECT_EQ(Host.Interrupts, 0);
  EXPECT_TRUE(fs::exists(Dir.Path / "demo.HEX"));
}

TEST_F(BuildDriverTest, MissingToolsReportTheMissingListing) {
  WB.Option.BINPath = (Dir.Path / "no-such-bin").string();
  Host.Active = Source("demo.asm", GoodSource);
  Driver.ACompileLinkLoad();
  EXPECT_NE(Host.RunnerOutput.str().find("cannot start " + WB.Option.BINPath + "/A51"),
            std::string::npos);
  EXPECT_EQ(UI.Messages, (Lines{"程序中包含文件未找到，产生错误", "编译连接产生错误，不能装载"}));
  EXPECT_EQ(Host.Messages, Lines{"COMPILE COMPLETED,   0 WARNING(S),   1 ERROR(S)"});
}

TEST_F(BuildDriverTest, MapOfAnEarlierBuildDoesNotPassALinkThatDidNotRun) {
  Host.Active = Source("demo.asm", GoodSource);
  Driver.ACompileLink();
  ASSERT_TRUE(Driver.CompileOK);
  // Only the assembler is there this time.
  const fs::path bin = Dir.Path / "bin";
  fs::create_directories(bin);
  fs::create_symlink(fs::path(TOOLCHAIN_DIR) / "A51", bin / "A51");
  WB.Option.BINPath = bin.string();
  Driver.ACompileLink();
  EXPECT_FALSE(Driver.CompileOK);
  EXPECT_EQ(Host.Messages.back(), "LINK/LOCATE RUN COMPLETE.  1 ERROR");
}

TEST_F(BuildDriverTest, CancelInTheSaveQuestionAbandonsTheBuildSilently) {
  Host.Active = Source("demo.asm", GoodSource);
  Host.CancelFor = Host.Active;
  EXPECT_FALSE(Driver.ACompileLink());
  Driver.ACompileLinkLoad();
  EXPECT_TRUE(Host.Batches.empty());
  EXPECT_FALSE(fs::exists(Dir.Path / "demo.BAT"));
  EXPECT_TRUE(UI.Messages.empty());
  EXPECT_TRUE(Host.Caption.empty());
}

TEST_F(BuildDriverTest, SourceOfAnotherTypeWritesTheEndOfTheBatchOnly) {
  Host.Active = Source("notes.txt", "text");
  Driver.ACompileLinkLoad();
  EXPECT_TRUE(Host.Batches.empty());
  EXPECT_EQ(UI.Messages, Lines{"文件" + Host.Active + "不是 ASM,C 两种类型之一"});
  std::ifstream batch(Dir.Path / "notes.BAT", std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(batch), {});
  EXPECT_EQ(text.substr(text.size() - 17), "\r\necho off\r\ncls\r\n");
}

TEST_F(BuildDriverTest, ProjectBuildsEverySourceAndAsksEachEditor) {
  const std::string main = Source("main.asm", "        EXTRN   CODE (WAIT)\r\n"
                                              "        CSEG    AT 0\r\n"
                                              "        LCALL   WAIT\r\n"
                                              "        SJMP    $\r\n"
                                              "        END\r\n");
  const std::string util = Source("util.asm", "        PUBLIC  WAIT\r\n"
                                              "?PR?UTIL SEGMENT CODE\r\n"
                                              "        RSEG    ?PR?UTIL\r\n"
                                              "WAIT:   RET\r\n"
                                              "        END\r\n");
  WB.Project.FileName = (Dir.Path / "lab.prj").string();
  WB.Project.Files = {main, util};
  Driver.ACompileLinkLoad();
  EXPECT_EQ(Host.Checked, (Lines{main, util}));
  EXPECT_EQ(Host.Caption, WB.Project.FileName + " : 编译结果");
  EXPECT_TRUE(Driver.CompileOK) << Host.RunnerOutput.str();
  EXPECT_EQ(UI.Messages, Lines{"编译、连接成功"});
  EXPECT_EQ(WB.DebugInfo.Modules.size(), 2u);
  WB.Project.FileName.clear();
}

TEST_F(BuildDriverTest, LoadingAMissingObjectChangesNothing) {
  WB.BreakPoints.Add(0x10);
  EXPECT_FALSE(Driver.LoadModule((Dir.Path / "none.omf").string()));
  EXPECT_EQ(UI.Messages, Lines{"无法读取文件：" + (Dir.Path / "none.omf").string()});
  EXPECT_EQ(Host.Closed, 0);
  EXPECT_EQ(WB.BreakPoints.Count(), 1);
}

TEST_F(BuildDriverTest, AnObjectThatDoesNotLoadIsReportedAndOpensNoWindow) {
  const std::string object = Dir.Write("junk.omf", "not an object").string();
  EXPECT_FALSE(Driver.LoadModule(object));
  ASSERT_FALSE(UI.Messages.empty());
  EXPECT_EQ(UI.Messages.back(), "装载失败：" + object);
  EXPECT_EQ(Host.Opened, 0);
}

} // namespace
