#include "ToolTestSupport.h"

#include "../image/RecordingUI.h"
#include "TCPU.h"
#include "TOmf.h"
#include "TSimulator.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const TDefModuleInfo* ModuleNamed(const TOmf& info, const std::string& name) {
  for (const auto& m : info.Modules)
    if (m->Name == name) return m.get();
  return nullptr;
}

int32_t LineStartingWith(const TDefModuleInfo& module, const std::string& prefix) {
  for (size_t i = 0; i < module.SourceLines.size(); ++i)
    if (module.SourceLines[i].rfind(prefix, 0) == 0) return static_cast<int32_t>(i + 1);
  return 0;
}

} // namespace

// What a student does: build two modules with the tool chain, load the linked
// object into the workbench, and run it to its last label.
TEST(ToolChainLoad, TwoModuleProgramLoadsWithSourcesAndRunsToItsResult) {
  const BuildDir dir({"main.asm", "util.asm"});
  ASSERT_EQ(dir.Assemble("main.asm"), 0);
  ASSERT_EQ(dir.Assemble("util.asm"), 0);
  ASSERT_EQ(dir.Run(L51_PROGRAM, {"MAIN.o,UTIL.o", "to", "PRJ.OMF", "ramsize(256)"}), 0);

  RecordingUI ui;
  auto cpu = std::make_unique<TCPU>();
  TOmf info(*cpu, ui);
  ASSERT_EQ(info.LoadFile((dir.Path / "PRJ.omf").string()), 0)
      << (ui.Messages.empty() ? "" : ui.Messages.front());
  EXPECT_TRUE(ui.Messages.empty()) << ui.Messages.front();
  EXPECT_EQ(info.FileKind, fkOmf);
  EXPECT_EQ(info.StartAddr, 0);
  EXPECT_EQ(cpu->PC, 0);

  const TDefModuleInfo* main = ModuleNamed(info, "MAIN");
  const TDefModuleInfo* util = ModuleNamed(info, "UTIL");
  ASSERT_TRUE(main && util);
  EXPECT_EQ(main->SourceKind, stASM);
  const TSymbolRec* done = info.FindSymbol("DONE", 0);
  const TSymbolRec* copy = info.FindSymbol("COPYBLOCK", 0);
  const TSymbolRec* result = info.FindSymbol("RESULT", 0);
  ASSERT_TRUE(done && copy && result);
  EXPECT_TRUE(util->Contains(copy->Addr));
  // The source rebuilt from the listing ties each line to its code.
  const int32_t doneLine = LineStartingWith(*main, "DONE:");
  ASSERT_GT(doneLine, 0);
  EXPECT_EQ(main->AddressOfLine(doneLine), done->Addr);
  EXPECT_EQ(main->LineOfAddress(done->Addr), doneLine);
  EXPECT_GT(LineStartingWith(*util, "COPYBLOCK:"), 0);

  cpu->ActiveBreakpoints.Add(done->Addr);
  TSimulator simulator(*cpu, ui);
  simulator.Run();
  EXPECT_EQ(cpu->PC, done->Addr);
  EXPECT_EQ(cpu->IRam[0x40], 0x24);
  EXPECT_EQ(cpu->IRam[result->Addr], 0x24);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(cpu->XData[0x0100 + i], i + 1);
}
