#include "AddressInput.h"
#include "ModuleBrowserText.h"
#include "TCPU.h"
#include "TOmf.h"
#include "UserInterface.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TSymbolRec Sym(std::string name, uint16_t addr, uint8_t region = 0, uint8_t type = 0) {
  TSymbolRec s;
  s.Name = std::move(name);
  s.Addr = addr;
  s.Region = region;
  s.Type = type;
  return s;
}

template <typename T> T& Ranged(T& scope, uint16_t begin, uint16_t end) {
  scope.CodeBegin = begin;
  scope.CodeEnd = end;
  return scope;
}

// A model as a load leaves it, built by hand.
class DebugInfo : public ::testing::Test {
protected:
  TDefModuleInfo& AddModule(std::string name, uint16_t begin, uint16_t end) {
    Omf.Modules.push_back(std::make_unique<TDefModuleInfo>());
    Omf.Modules.back()->Name = std::move(name);
    return Ranged(*Omf.Modules.back(), begin, end);
  }
  static TDefBlockInfo& AddBlock(std::vector<std::unique_ptr<TDefBlockInfo>>& list,
                                 std::string name, uint16_t begin, uint16_t end) {
    list.push_back(std::make_unique<TDefBlockInfo>());
    list.back()->Name = std::move(name);
    return Ranged(*list.back(), begin, end);
  }

  SilentUserInterface UI;
  std::unique_ptr<TCPU> CPU = std::make_unique<TCPU>();
  TOmf Omf{*CPU, UI};
};

} // namespace

TEST_F(DebugInfo, FindByAddressPrefersAModuleWhoseFunctionContainsTheAddress) {
  TDefModuleInfo& first = AddModule("FIRST", 0x0000, 0x0FFF);
  AddBlock(first.Blocks, "far", 0x0800, 0x08FF);
  TDefModuleInfo& second = AddModule("SECOND", 0x0100, 0x01FF);
  TDefBlockInfo& f = AddBlock(second.Blocks, "f", 0x0100, 0x01FF);
  AddBlock(f.SubBlocks, "", 0x0180, 0x018F);
  TDefModuleInfo& third = AddModule("THIRD", 0x0000, 0x0FFF);

  auto found = Omf.FindByAddress(0x0150);
  EXPECT_EQ(found.Module, &second);
  EXPECT_EQ(found.Block, &f);
  found = Omf.FindByAddress(0x0300); // no function: the last module that contains it
  EXPECT_EQ(found.Module, &third);
  EXPECT_EQ(found.Block, nullptr);
  found = Omf.FindByAddress(0x2000);
  EXPECT_EQ(found.Module, nullptr);
  EXPECT_EQ(found.Block, nullptr);
}

TEST_F(DebugInfo, FindSymbolTakesTheInnermostScopeThenAnyModule) {
  Omf.Symbols = {Sym("x", 0x01), Sym("g", 0x02)};
  TDefModuleInfo& m = AddModule("M", 0x0100, 0x01FF);
  m.Symbols = {Sym("x", 0x11), Sym("onlyM", 0x12)};
  TDefBlockInfo& f = AddBlock(m.Blocks, "f", 0x0100, 0x017F);
  f.Symbols = {Sym("x", 0x21)};
  TDefBlockInfo& inner = AddBlock(f.SubBlocks, "", 0x0140, 0x014F);
  inner.Symbols = {Sym("x", 0x31)};
  TDefModuleInfo& other = AddModule("OTHER", 0x0100, 0x013F); // a later module overlapping f
  other.Symbols = {Sym("x", 0x41), Sym("X", 0x42)};
  TDefModuleInfo& away = AddModule("AWAY", 0x0800, 0x08FF);
  away.Symbols = {Sym("farAway", 0x51)};

  struct Case {
    const char* Name;
    uint16_t Address;
    int Expected; // Addr of the symbol found, -1 for none
  };
  const Case cases[] = {
      {"x", 0x0145, 0x31},     // the nested block inside f
      {"x", 0x0120, 0x41},     // f's, then replaced by the later module that contains it
      {"X", 0x0120, 0x42},     // names compare with case
      {"x", 0x0500, 0x01},     // outside every module: the global one
      {"g", 0x0145, 0x02},     // only global
      {"onlyM", 0x0900, 0x12}, // in no scope that contains the address: the first module's
      {"farAway", 0x0100, 0x51}, {"missing", 0x0100, -1},
  };
  for (const Case& c : cases) {
    const TSymbolRec* s = Omf.FindSymbol(c.Name, c.Address);
    EXPECT_EQ(s ? s->Addr : -1, c.Expected) << c.Name << " at " << c.Address;
  }
}

TEST_F(DebugInfo, LineQueriesAndTheAllLinesList) {
  TDefModuleInfo& a = AddModule("A", 0, 0);
  for (int32_t address : {-1, 0x10, -1, 0x14, 0x14})
    a.Lines.Add(address);
  TDefModuleInfo& b = AddModule("B", 0, 0);
  for (int32_t address : {0x14, 0x20})
    b.Lines.Add(address);

  EXPECT_EQ(a.AddressOfLine(2), 0x10);
  EXPECT_EQ(a.AddressOfLine(1), -1);
  EXPECT_EQ(a.AddressOfLine(6), -1);
  EXPECT_EQ(a.AddressOfLine(0), -1);
  EXPECT_EQ(a.LineOfAddress(0x14), 4);
  EXPECT_EQ(a.LineOfAddress(0x99), 0);

  Omf.BuildLineAddrs();
  EXPECT_EQ(Omf.LineAddrs.Values(), (std::vector<int32_t>{0x10, 0x14, 0x14, 0x14, 0x20}));
  Omf.FileName = "x.omf";
  Omf.Clear();
  EXPECT_TRUE(Omf.Modules.empty() && Omf.LineAddrs.Empty() && Omf.FileName.empty());
  EXPECT_EQ(Omf.StartAddr, 0xFFFF);
  EXPECT_EQ(Omf.FindSymbol("x", 0), nullptr);
  EXPECT_EQ(Omf.FindByAddress(0).Module, nullptr);
}

TEST_F(DebugInfo, CodeLabelsForTheAddressList) {
  Omf.Symbols = {Sym("RESET", 0x0000), Sym("?C_START", 0x0003), Sym("COUNT", 0x30, 2, 0)};
  TDefModuleInfo& m = AddModule("M", 0, 0x0FFF);
  m.Symbols = {Sym("LOOP", 0x0100, 0, 10), Sym("", 0x0101), Sym("BYTES", 0x0200, 0, 3)};
  TDefBlockInfo& f = AddBlock(m.Blocks, "f", 0, 0);
  f.Symbols = {Sym("IN_F", 0x0400)};
  AddBlock(f.SubBlocks, "", 0, 0).Symbols = {Sym("IN_BLOCK", 0x0410)};
  AddBlock(m.Blocks, "g", 0, 0).Symbols = {Sym("IN_G", 0x0500)};

  EXPECT_EQ(AddressInput::LabelLines(Omf),
            (std::vector<std::string>{"Addr(0000), RESET", "Addr(0100), LOOP", "Addr(0400), IN_F",
                                      "Addr(0410), IN_BLOCK", "Addr(0500), IN_G"}));
  EXPECT_EQ(AddressInput::AddressOfLabelLine("Addr(0100), LOOP"), "0100");
  EXPECT_EQ(AddressInput::AddressOfLabelLine("Addr"), "");
}

TEST(AddressInput, EntryRulesRadixAndHistory) {
  AddressInput input;
  input.Value = 0x1F0;
  EXPECT_EQ(input.ShownText(), "1F0");
  input.Hexadecimal = false;
  EXPECT_EQ(input.ShownText(), "496");

  std::string error;
  input.Hexadecimal = true;
  EXPECT_TRUE(input.Accept("1F", error));
  EXPECT_EQ(input.Value, 31);
  input.Hexadecimal = false;
  EXPECT_TRUE(input.Accept("31", error));
  EXPECT_EQ(input.Value, 31);
  EXPECT_TRUE(input.Accept("-2", error));
  EXPECT_EQ(input.Value & 0xFFFF, 0xFFFE);
  for (const char* bad : {"1F", "", "+-3", "99999999999"}) {
    EXPECT_FALSE(input.Accept(bad, error)) << bad;
    EXPECT_EQ(error, "'" + std::string(bad) + "' is not a valid integer value");
    EXPECT_EQ(input.Value, -2);
  }
  EXPECT_EQ(input.History,
            (std::vector<std::string>{"1F", "31", "-2", "1F", "", "+-3", "99999999999"}));

  for (char32_t c : {U'0', U'9', U'a', U'F', U'\b', U'\r', U'-', U'$'})
    EXPECT_TRUE(AddressInput::AcceptsCharacter(c)) << static_cast<int>(c);
  for (char32_t c : {U' ', U'G', U'g', U'H', U'z', U'~', U':', U'数'})
    EXPECT_FALSE(AddressInput::AcceptsCharacter(c)) << static_cast<int>(c);
}

TEST(NameTables, RegionTypeAndSourceKindNames) {
  EXPECT_EQ(RegionName(0), "code");
  EXPECT_EQ(RegionName(5), "const");
  EXPECT_EQ(RegionName(6), "");
  const std::pair<std::string_view, int> types[] = {
      {"Label", 0}, {"Bit", 1},   {"Char", 1},  {"Byte", 1}, {"Int", 2},   {"Word", 2},
      {"Long", 4},  {"DWord", 4}, {"Float", 4}, {"None", 0}, {"Label", 0}, {"Void*", 3},
  };
  for (uint8_t code = 0; code < 12; ++code) {
    EXPECT_EQ(TypeName(code), types[code].first);
    EXPECT_EQ(TypeSize(code), types[code].second);
  }
  EXPECT_EQ(TypeName(12), "");
  EXPECT_EQ(SourceKindName(stNone), "");
  EXPECT_EQ(SourceKindName(stASM), "ASM");
  EXPECT_EQ(SourceKindName(stC), "C");
}

TEST(ModuleBrowser, ListsNamesAndShowsTheAttributes) {
  TDefModuleInfo module;
  EXPECT_EQ(BrowserModuleName(module), "NO NAME");
  module.Name = "MAIN";
  module.SourceName = "MAIN.C";
  module.SourceKind = stC;
  module.CodeBegin = 0x0100;
  module.CodeEnd = 0x01AF;
  EXPECT_EQ(BrowserModuleName(module), "MAIN");
  EXPECT_EQ(BrowserModuleAttributes(module),
            (std::vector<std::string>{"Code Begin(0100),Code End(01AF)", "MAIN.C", "C"}));
}
