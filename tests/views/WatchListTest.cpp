#include "WatchList.h"
#include "ViewsFixture.h"

#include <gtest/gtest.h>

namespace {

TSymbolRec Symbol(std::string name, uint8_t region, uint16_t address, uint8_t type) {
  TSymbolRec s;
  s.Name = std::move(name);
  s.Region = region;
  s.Addr = address;
  s.Type = type;
  return s;
}

// A module "MAIN" at 0000H-00FFH with a global Int count at 30H and a function at
// 0040H-005FH whose local Byte count lies at 40H; a second module "UTIL" holding limit.
struct WatchListTest : ViewsFixture {
  WatchList list{target, wb->DebugInfo};
  WatchListTest() {
    auto main = std::make_unique<TDefModuleInfo>();
    main->Name = "MAIN";
    main->Widen(0x0000, 0x00FF);
    main->Symbols.push_back(Symbol("count", 2, 0x30, 4));
    main->Symbols.push_back(Symbol("START", 0, 0x0012, 0));
    main->Symbols.push_back(Symbol("record", 1, 0x0200, 12));
    auto function = std::make_unique<TDefBlockInfo>();
    function->Name = "work";
    function->Widen(0x0040, 0x005F);
    function->Symbols.push_back(Symbol("count", 2, 0x40, 3));
    main->Blocks.push_back(std::move(function));
    auto util = std::make_unique<TDefModuleInfo>();
    util->Name = "UTIL";
    util->Widen(0x0100, 0x01FF);
    util->Symbols.push_back(Symbol("limit", 1, 0x0010, 3));
    wb->DebugInfo.Modules.push_back(std::move(main));
    wb->DebugInfo.Modules.push_back(std::move(util));
    cpu.IRam[0x30] = 0xFF;
    cpu.IRam[0x31] = 0xFE;
    cpu.IRam[0x40] = 0x80;
    cpu.XData[0x10] = 0x07;
  }
};

TEST_F(WatchListTest, TheLocalVariableWinsInsideItsFunctionOnly) {
  list.Add("count");
  cpu.PC = 0x0050;
  EXPECT_EQ(list.BuildList(), std::vector<std::string>{"count: data, Byte::128, 80H"});
  cpu.PC = 0x0010;
  EXPECT_EQ(list.BuildList(), std::vector<std::string>{"count: data, Int::-2, FFFEH"});
}

TEST_F(WatchListTest, LinesForLabelsUserTypesOtherModulesAndUnknownNames) {
  for (const char* name : {"START", "record", "limit", "nothing", ""})
    list.Add(name);
  EXPECT_EQ(list.BuildList(), (std::vector<std::string>{
                                  "START: code, Label:0012H",
                                  "record: xdata, Self Define, Address(0200H)",
                                  "limit: xdata, Byte::7, 07H",
                                  "nothing: not definition",
                                  ": not definition",
                              }));
}

TEST_F(WatchListTest, TheSameWatchTwiceGivesTwoLinesAndDeletingTheSecondKeepsTheFirst) {
  list.Add("limit");
  list.Add("count");
  list.Add("limit");
  EXPECT_EQ(list.BuildList()[0], list.BuildList()[2]);
  list.Delete(2);
  EXPECT_EQ(list.Watches, (std::vector<std::string>{"limit", "count"}));
  list.Delete(5);
  list.Delete(-1);
  EXPECT_EQ(list.Watches.size(), 2u);
  list.Clear();
  EXPECT_TRUE(list.BuildList().empty());
}

TEST_F(WatchListTest, AVeryLongNameIsListedAsNotDefined) {
  const std::string name(10000, 'x');
  list.Add(name);
  EXPECT_EQ(list.BuildList(), std::vector<std::string>{name + ": not definition"});
}

TEST_F(WatchListTest, WithoutAProgramEveryNameIsNotDefined) {
  wb->DebugInfo.Clear();
  list.Add("count");
  EXPECT_EQ(list.BuildList(), std::vector<std::string>{"count: not definition"});
}

} // namespace
