#include "OptionFixture.h"
#include "UserInterface.h"

#include <string>
#include <vector>

namespace {

struct MessageRecorder : SilentUserInterface {
  std::vector<std::string> Messages;
  void Message(std::string_view text) override { Messages.emplace_back(text); }
};

class CommandTest : public OptionFixture {
protected:
  void SetUp() override {
    Option = MakeOption();
    Option->BINPath = "C:\\OMF51\\BIN";
  }
  std::string Compile(const std::string& file, const PathConventions& paths) {
    return Option->CompileCommand(file, paths, UI).value_or("<none>");
  }

  std::unique_ptr<TOption> Option;
  MessageRecorder UI;
  const PathConventions Windows = PathConventions::Windows();
};

} // namespace

TEST_F(CommandTest, SingleAssemblerFileWithDefaultSettings) {
  const std::string f = "C:\\LAB\\DEMO.ASM";
  EXPECT_EQ(Compile(f, Windows),
            "C:\\OMF51\\BIN\\A51.exe C:\\LAB\\DEMO.ASM DB SB XR RB(0) PR(DEMO.LST)  OJ(DEMO.o)");
  EXPECT_EQ(Option->LinkCommand(f, {f}, Windows),
            "C:\\OMF51\\BIN\\L51.exe DEMO.o to DEMO.OMF ramsize(256)");
  EXPECT_EQ(Option->HexCommand(f, Windows), "C:\\OMF51\\BIN\\OH51.exe DEMO.omf");
}

TEST_F(CommandTest, ProjectOfACAndAnAssemblerFileWithALibrary) {
  const std::string prj = "C:\\LAB\\PRJ1.PRJ";
  const std::vector<std::string> files = {"C:\\LAB\\MAIN.C", "C:\\LAB\\UTIL.ASM"};
  Option->LibName = {"C:\\L\\X.LIB"};
  EXPECT_EQ(Compile(files[0], Windows), "C:\\OMF51\\BIN\\C51.exe C:\\LAB\\MAIN.C DB OE RB(0) "
                                        "OT(5) SM PR(MAIN.LST) OJ(MAIN.o)");
  EXPECT_EQ(Compile(files[1], Windows), "C:\\OMF51\\BIN\\A51.exe C:\\LAB\\UTIL.ASM DB SB XR "
                                        "RB(0) PR(UTIL.LST)  OJ(UTIL.o)");
  EXPECT_EQ(Option->LinkCommand(prj, files, Windows),
            "C:\\OMF51\\BIN\\L51.exe MAIN.o,UTIL.o,C:\\L\\X.LIB to PRJ1.OMF ramsize(256)");
  EXPECT_EQ(Option->HexCommand(prj, Windows), "C:\\OMF51\\BIN\\OH51.exe PRJ1.omf");
  EXPECT_TRUE(UI.Messages.empty());
}

TEST_F(CommandTest, LinuxNamesToolsWithoutSuffixUnderTheDefaultFolder) {
  Option->BINPath = TOption::DefaultBINPath;
  const PathConventions linux = PathConventions::Linux();
  const std::vector<std::string> files = {"/home/u/lab/main.c", "/home/u/lab/util.asm"};
  Option->LibName = {"/opt/omf51/lib/X.LIB"};
  EXPECT_EQ(Compile(files[0], linux), "/opt/omf51/bin/C51 /home/u/lab/main.c DB OE RB(0) OT(5) "
                                      "SM PR(main.LST) OJ(main.o)");
  EXPECT_EQ(Compile(files[1], linux), "/opt/omf51/bin/A51 /home/u/lab/util.asm DB SB XR RB(0) "
                                      "PR(util.LST)  OJ(util.o)");
  EXPECT_EQ(Option->LinkCommand("/home/u/lab/prj1.prj", files, linux),
            "/opt/omf51/bin/L51 main.o,util.o,/opt/omf51/lib/X.LIB to prj1.OMF ramsize(256)");
  EXPECT_EQ(Option->HexCommand("/home/u/lab/prj1.prj", linux), "/opt/omf51/bin/OH51 prj1.omf");
}

TEST_F(CommandTest, OptionsGoIntoTheirPlaces) {
  Option->ASM_RegisterBank = 3;
  Option->ASM_Other = "EP";
  Option->C_RegisterBank = 2;
  Option->C_Optimize = 0;
  Option->C_Other = "CD";
  Option->LinkOther = "";
  for (const auto& [model, text] : {std::pair{1, "CP"}, {2, "LA"}, {9, "SM"}}) {
    Option->C_Compile = static_cast<uint8_t>(model);
    EXPECT_EQ(Compile("C:\\A\\M.C", Windows),
              std::string("C:\\OMF51\\BIN\\C51.exe C:\\A\\M.C DB OE RB(2) OT(0) ") + text +
                  " PR(M.LST)CD OJ(M.o)");
  }
  EXPECT_EQ(Compile("C:\\A\\U.ASM", Windows),
            "C:\\OMF51\\BIN\\A51.exe C:\\A\\U.ASM DB SB XR RB(3) PR(U.LST) EP OJ(U.o)");
  EXPECT_EQ(Option->LinkCommand("C:\\A\\M.C", {"C:\\A\\M.C", "C:\\A\\M.C"}, Windows),
            "C:\\OMF51\\BIN\\L51.exe M.o,M.o to M.OMF ")
      << "a file listed twice is linked twice";
}

TEST_F(CommandTest, AnEmptyProjectLinksNothing) {
  EXPECT_EQ(Option->LinkCommand("C:\\LAB\\PRJ1.PRJ", {}, Windows),
            "C:\\OMF51\\BIN\\L51.exe to PRJ1.OMF ramsize(256)");
}

TEST_F(CommandTest, ExtensionChoosesTheToolIgnoringCase) {
  struct Case {
    const char* File;
    const char* Tool; // nullptr: not a source
  };
  for (const Case& c : {Case{"C:\\A\\x.asm", "A51"},
                        {"C:\\A\\x.Asm", "A51"},
                        {"C:\\A\\x.c", "C51"},
                        {"C:\\A\\x.C", "C51"},
                        {"C:\\A\\x.cpp", nullptr},
                        {"C:\\A\\x", nullptr},
                        {"C:\\A.C\\x", nullptr},
                        {"C:\\A\\x.ASM.bak", nullptr}}) {
    UI.Messages.clear();
    const auto line = Option->CompileCommand(c.File, Windows, UI);
    if (c.Tool) {
      ASSERT_TRUE(line.has_value()) << c.File;
      EXPECT_EQ(line->substr(13, 3), c.Tool) << c.File;
      EXPECT_TRUE(UI.Messages.empty());
    } else {
      EXPECT_FALSE(line.has_value()) << c.File;
      EXPECT_EQ(UI.Messages, (std::vector<std::string>{std::string("文件") + c.File +
                                                       "不是 ASM,C 两种类型之一"}));
    }
  }
}

TEST(PathConventions, BaseAndChangeExtFollowEachPlatformsDirectoryPart) {
  const PathConventions win = PathConventions::Windows();
  const PathConventions linux = PathConventions::Linux();
  struct Case {
    const PathConventions& Paths;
    const char* Path;
    const char* Base;
    const char* Bat;
  };
  for (const Case& c : {
           Case{win, "C:\\LAB\\DEMO.ASM", "DEMO", "C:\\LAB\\DEMO.BAT"},
           {win, "C:DEMO.C", "DEMO", "C:DEMO.BAT"},
           {win, "C:\\V1.2\\MAIN", "MAIN", "C:\\V1.2\\MAIN.BAT"},
           {win, "C:\\LAB\\A.B.C", "A.B", "C:\\LAB\\A.B.BAT"},
           {win, "DEMO.", "DEMO", "DEMO.BAT"},
           {linux, "/home/u/v1.2/main", "main", "/home/u/v1.2/main.BAT"},
           {linux, "/home/u/lab/prj1.prj", "prj1", "/home/u/lab/prj1.BAT"},
           {linux, "a\\b.c", "a\\b", "a\\b.BAT"},
           {linux, "", "", ".BAT"},
       }) {
    EXPECT_EQ(c.Paths.Base(c.Path), c.Base) << c.Path;
    EXPECT_EQ(c.Paths.ChangeExt(c.Path, ".BAT"), c.Bat) << c.Path;
  }
}
