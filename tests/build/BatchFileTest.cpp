#include "BatchFile.h"

#include "../image/RecordingUI.h"
#include "OptionFixture.h"

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class BatchFileTest : public OptionFixture {
protected:
  void SetUp() override {
    Option = MakeOption();
    Option->BINPath = "C:\\OMF51\\BIN";
    Option->LIBPath = "C:\\OMF51\\LIB";
    Option->INCPath = "C:\\OMF51\\INC";
  }
  BatchFile Batch(const PathConventions& paths = PathConventions::Windows()) {
    BatchFile batch(*Option, paths, UI);
    batch.DeleteFile = [this](const std::string& name) { Deleted.push_back(name); };
    return batch;
  }

  std::unique_ptr<TOption> Option;
  RecordingUI UI;
  Names Deleted;
  const std::string Sets =
      "SET PATH=C:\\OMF51\\BIN\r\nSET C51LIB=C:\\OMF51\\LIB\r\nSET C51INC=C:\\OMF51\\INC\r\n";
};

TEST_F(BatchFileTest, SingleAssemblerFileWithDefaultSettings) {
  BatchFile batch = Batch();
  ASSERT_TRUE(batch.MakeFileBatch("C:\\LAB\\DEMO.ASM"));
  EXPECT_EQ(batch.FileName(), "C:\\LAB\\DEMO.BAT");
  EXPECT_EQ(batch.Text(),
            "SET PATH=C:\\OMF51\\BIN\r\n"
            "SET C51LIB=C:\\OMF51\\LIB\r\n"
            "SET C51INC=C:\\OMF51\\INC\r\n"
            "C:\\OMF51\\BIN\\A51.exe C:\\LAB\\DEMO.ASM DB SB XR RB(0) PR(DEMO.LST)  OJ(DEMO.o)\r\n"
            "C:\\OMF51\\BIN\\L51.exe DEMO.o to DEMO.OMF ramsize(256)\r\n"
            "C:\\OMF51\\BIN\\OH51.exe DEMO.omf\r\n"
            "echo off\r\n"
            "cls\r\n");
  EXPECT_EQ(Deleted, (Names{"C:\\LAB\\DEMO.HEX", "C:\\LAB\\DEMO.LST"}));
}

TEST_F(BatchFileTest, ProjectOfACAndAnAssemblerFileWithALibrary) {
  Option->LibName = {"C:\\L\\X.LIB"};
  BatchFile batch = Batch();
  Names asked;
  batch.CheckModified = [&](const std::string& source) {
    asked.push_back(source);
    return true;
  };
  ASSERT_TRUE(
      batch.MakeProjectBatch("C:\\LAB\\PRJ1.PRJ", {"C:\\LAB\\MAIN.C", "C:\\LAB\\UTIL.ASM"}));
  EXPECT_EQ(batch.FileName(), "C:\\LAB\\PRJ1.BAT");
  EXPECT_EQ(batch.Text(),
            Sets + "C:\\OMF51\\BIN\\C51.exe C:\\LAB\\MAIN.C DB OE RB(0) OT(5) SM PR(MAIN.LST) "
                   "OJ(MAIN.o)\r\n"
                   "C:\\OMF51\\BIN\\A51.exe C:\\LAB\\UTIL.ASM DB SB XR RB(0) PR(UTIL.LST)  "
                   "OJ(UTIL.o)\r\n"
                   "C:\\OMF51\\BIN\\L51.exe MAIN.o,UTIL.o,C:\\L\\X.LIB to PRJ1.OMF ramsize(256)\r\n"
                   "C:\\OMF51\\BIN\\OH51.exe PRJ1.omf\r\n"
                   "echo off\r\ncls\r\n");
  EXPECT_EQ(Deleted, (Names{"C:\\LAB\\PRJ1.HEX", "C:\\LAB\\MAIN.LST", "C:\\LAB\\UTIL.LST"}));
  EXPECT_EQ(asked, (Names{"C:\\LAB\\MAIN.C", "C:\\LAB\\UTIL.ASM"}));
}

TEST_F(BatchFileTest, EmptyProjectLinksNothing) {
  BatchFile batch = Batch();
  ASSERT_TRUE(batch.MakeProjectBatch("C:\\LAB\\PRJ1.PRJ", {}));
  EXPECT_EQ(batch.Text(), Sets + "C:\\OMF51\\BIN\\L51.exe to PRJ1.OMF ramsize(256)\r\n"
                                 "C:\\OMF51\\BIN\\OH51.exe PRJ1.omf\r\n"
                                 "echo off\r\ncls\r\n");
}

TEST_F(BatchFileTest, AbandonedBuildsStillEndTheFile) {
  BatchFile single = Batch();
  EXPECT_FALSE(single.MakeFileBatch("C:\\LAB\\NOTES.TXT"));
  EXPECT_EQ(single.Text(), Sets + "echo off\r\ncls\r\n");
  EXPECT_EQ(UI.Messages, Names{"文件C:\\LAB\\NOTES.TXT不是 ASM,C 两种类型之一"});

  BatchFile project = Batch();
  project.CheckModified = [](const std::string& source) { return source != "C:\\LAB\\B.ASM"; };
  Deleted.clear();
  EXPECT_FALSE(project.MakeProjectBatch("C:\\LAB\\P.PRJ",
                                        {"C:\\LAB\\A.asm", "C:\\LAB\\B.ASM", "C:\\LAB\\C.c"}));
  EXPECT_EQ(project.Text(), Sets +
                                "C:\\OMF51\\BIN\\A51.exe C:\\LAB\\A.asm DB SB XR RB(0) PR(A.LST)  "
                                "OJ(A.o)\r\necho off\r\ncls\r\n");
  EXPECT_EQ(Deleted, (Names{"C:\\LAB\\P.HEX", "C:\\LAB\\A.LST", "C:\\LAB\\B.LST"}));
}

TEST_F(BatchFileTest, LinuxFormNamesTheToolsWithoutSuffix) {
  Option->BINPath = "/opt/omf51/bin";
  Option->LIBPath = "/opt/omf51/lib";
  Option->INCPath = "/opt/omf51/inc";
  BatchFile batch = Batch(PathConventions::Linux());
  ASSERT_TRUE(batch.MakeFileBatch("/home/lab/demo.c"));
  EXPECT_EQ(batch.FileName(), "/home/lab/demo.BAT");
  EXPECT_EQ(batch.Text(), "SET PATH=/opt/omf51/bin\r\n"
                          "SET C51LIB=/opt/omf51/lib\r\n"
                          "SET C51INC=/opt/omf51/inc\r\n"
                          "/opt/omf51/bin/C51 /home/lab/demo.c DB OE RB(0) OT(5) SM PR(demo.LST) "
                          "OJ(demo.o)\r\n"
                          "/opt/omf51/bin/L51 demo.o to demo.OMF ramsize(256)\r\n"
                          "/opt/omf51/bin/OH51 demo.omf\r\n"
                          "echo off\r\ncls\r\n");
  EXPECT_EQ(Deleted, (Names{"/home/lab/demo.HEX", "/home/lab/demo.LST"}));
}

TEST_F(BatchFileTest, OutputsAreDeletedIgnoringCase) {
  const auto hex = Dir.Write("DEMO.hex", "x");
  const auto other = Dir.Write("DEMO.o", "x");
  DeleteOutputFile((Dir.Path / "DEMO.HEX").string());
  DeleteOutputFile((Dir.Path / "none.LST").string());
  EXPECT_FALSE(std::filesystem::exists(hex));
  EXPECT_TRUE(std::filesystem::exists(other));
}

} // namespace
