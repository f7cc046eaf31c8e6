#include "RegisterCells.h"
#include "RegisterManagerList.h"
#include "TextEncoding.h"
#include "ViewsFixture.h"

#include <gtest/gtest.h>

namespace {

struct RegisterCellsTest : ViewsFixture {
  const RegisterCell& CellNamed(RegisterCells& cells, const std::string& component) {
    for (const RegisterCell& c : cells.Cells())
      if (c.ComponentName == component) return c;
    throw std::runtime_error("no cell " + component);
  }
  bool HasCell(RegisterCells& cells, const std::string& caption) {
    for (const RegisterCell& c : cells.Cells())
      if (c.IsNameCell() && c.Caption == caption) return true;
    return false;
  }
  // One instruction on the simulator, with the snapshot before it.
  void Step(std::initializer_list<uint8_t> code) {
    std::copy(code.begin(), code.end(), cpu.Code.begin() + cpu.PC);
    wb->TakeSnapshot();
    cpu.ExecuteInstruction();
  }
};

TEST_F(RegisterCellsTest, TheDefaultListStartsWithPCAccAndPswAndHidesTheRest) {
  RegisterCells cells(target);
  cells.Layout(6 * 72);
  const char* firstRow[] = {"Msc51PC", "Msc51PCR", "BACC00", "RACC00", "BPSW01", "RPSW01"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(cells.Cells()[k].ComponentName, firstRow[k]);
    EXPECT_EQ(cells.Cells()[k].Top, 3);
    EXPECT_EQ(cells.Cells()[k].Left, k * 72 + 8);
  }
  EXPECT_EQ(cells.Cells()[6].Top, 24);
  EXPECT_EQ(cells.Cells()[0].Tag, 2000);
  EXPECT_EQ(cells.Cells()[1].Tag, 3000);
  EXPECT_EQ(CellNamed(cells, "RPSW01").Tag, 1001);
  for (const char* hidden : {"P0", "P1", "P2", "P3", "PCON", "TMOD", "TIME0", "TIME1", "IP", "SCON",
                             "SBUF", "T2CON", "RCAP2", "TIME2"})
    EXPECT_FALSE(HasCell(cells, hidden)) << hidden;
  for (const char* shown : {"ACC", "PSW", "DPTR", "SP", "B", "R0", "R7", "TCON", "IE"})
    EXPECT_TRUE(HasCell(cells, shown)) << shown;
  EXPECT_EQ(cells.Cells().size(), 2u + 2 * 15);
}

TEST_F(RegisterCellsTest, CellsPerRowIsEvenAndAtLeastOne) {
  const std::pair<int, int> cases[] = {{0, 1},   {100, 1}, {143, 1}, {144, 2},
                                       {150, 2}, {215, 2}, {288, 4}, {450, 6}};
  for (const auto& [width, perRow] : cases)
    EXPECT_EQ(RegisterCells::PerRow(width), perRow) << width;
  RegisterCells cells(target);
  cells.Layout(100);
  EXPECT_EQ(cells.Cells()[1].Left, 8);
  EXPECT_EQ(cells.Cells()[1].Top, 24);
  cells.Layout(150);
  EXPECT_EQ(cells.Cells()[1].Left, 80);
  EXPECT_EQ(cells.Cells()[2].Top, 24);
}

TEST_F(RegisterCellsTest, AStepThatChangesParityMarksAccAndPswUntilTheNextStep) {
  RegisterCells cells(target);
  Step({0x74, 0x01}); // MOV A,#01H: odd parity
  cells.UpdateCells();
  EXPECT_EQ(CellNamed(cells, "RACC00").Caption, "01");
  EXPECT_TRUE(CellNamed(cells, "RACC00").CaptionChanged);
  EXPECT_TRUE(CellNamed(cells, "RPSW01").CaptionChanged);
  EXPECT_TRUE(CellNamed(cells, "Msc51PCR").CaptionChanged);
  EXPECT_EQ(CellNamed(cells, "Msc51PCR").Caption, "0002");
  EXPECT_FALSE(CellNamed(cells, "RB04").CaptionChanged);
  Step({0x00}); // NOP
  cells.UpdateCells();
  EXPECT_FALSE(CellNamed(cells, "RACC00").CaptionChanged);
  EXPECT_FALSE(CellNamed(cells, "RPSW01").CaptionChanged);
  EXPECT_TRUE(CellNamed(cells, "Msc51PCR").CaptionChanged);
}

TEST_F(RegisterCellsTest, EditingR0InBankTwoWritesInternalRam10H) {
  RegisterCells cells(target);
  cpu.SfrAt(SFR_PSW) = 0x10;
  const RegisterCell& r0 = CellNamed(cells, "BR005");
  cpu.IRam[0x10] = 0x33;
  EXPECT_EQ(cells.CurrentValue(r0), 0x33);
  cells.EditValue(r0, 0x5A);
  EXPECT_EQ(cpu.IRam[0x10], 0x5A);
  EXPECT_EQ(cpu.IRam[0x00], 0x00);
  EXPECT_EQ(CellNamed(cells, "RR005").Caption, "5A");
}

TEST_F(RegisterCellsTest, EditingThePCStoresItAndRepaintsTheDisassemblyGutter) {
  CountingDisassembly gutter;
  ViewSlot<DisassemblyView> slot(wb->Views.Disassembly, &gutter);
  RegisterCells cells(target);
  cells.EditValue(cells.Cells()[0], 0x1234);
  EXPECT_EQ(cpu.PC, 0x1234);
  EXPECT_EQ(gutter.GutterRepaints, 1);
  EXPECT_EQ(cells.Cells()[1].Caption, "1234");
  EXPECT_TRUE(cells.Cells()[1].CaptionChanged);
}

TEST_F(RegisterCellsTest, AUserPairShowsItsHighByteFirst) {
  cpu.AddRegister("T0", true, true, 0x8C, 0x8A);
  cpu.SfrAt(0x8A) = 0x34;
  cpu.SfrAt(0x8C) = 0x12;
  RegisterCells cells(target);
  cells.UpdateCells();
  const RegisterCell& value = cells.Cells().back();
  EXPECT_EQ(value.Caption, "1234");
  EXPECT_EQ(cells.ValueToolTip(value), "1234H = 4660 = 0001001000110100B");
  EXPECT_EQ(cells.ValueToolTip(CellNamed(cells, "RACC00")), "00H = 0 = 00000000B");
}

TEST_F(RegisterCellsTest, ManagerLinesPadTheNameAndNameBothAddressesOfAPair) {
  cpu.AddRegister("T0", true, true, 0x8C, 0x8A);
  EXPECT_EQ(RegisterManagerList::Line(cpu.Registers[0]), "ACC       E0(L)");
  EXPECT_EQ(RegisterManagerList::Line(cpu.Registers.back()), "T0        8A(L), 8C(H)");
  EXPECT_EQ(RegisterManagerList::Line(cpu.Registers[2]), "DPTR      82(L), 83(H)");
}

TEST_F(RegisterCellsTest, ManagerChecksBecomeTheVisibleFlags) {
  RegisterManagerList list;
  list.Records = cpu.Registers;
  std::vector<bool> checks(list.Records.size(), true);
  checks[0] = false;
  list.StoreChecks(checks);
  EXPECT_EQ(list.Records[0].Visible, 0);
  EXPECT_EQ(list.Records[13].Visible, 1); // P0 was hidden
}

TEST_F(RegisterCellsTest, RecordsFromTypedTextsFollowTheHexRuleAndFitTheName) {
  struct Case {
    const char* Name;
    int Length;
    const char* Low;
    const char* High;
    std::string StoredName;
    uint8_t IsPair, Addr, AddrHigh;
  } cases[] = {
      {"T0", 1, "8a", "8C", "T0", 1, 0x8A, 0x8C},
      {"X", 0, "G1", "zz", "X", 0, 0x01, 0x00},
      {"Y", 0, "1FF", "", "Y", 0, 0xFF, 0x00},
      {"LONGNAME12", 0, "", "", "LONGNAME1", 0, 0x00, 0x00},
      {"定时器计数值高低字节", 1, "8A", "8C", Utf8ToGbk("定时器计"), 1, 0x8A, 0x8C},
  };
  for (const Case& c : cases) {
    const TRegisterDesc desc = RegisterManagerList::FromTexts(c.Name, c.Length, c.Low, c.High);
    EXPECT_EQ(desc.GetName(), c.StoredName) << c.Name;
    EXPECT_EQ(desc.IsPair, c.IsPair) << c.Name;
    EXPECT_EQ(desc.Addr, c.Addr) << c.Name;
    EXPECT_EQ(desc.AddrHigh, c.AddrHigh) << c.Name;
    EXPECT_EQ(desc.Visible, 1);
  }
  TRegisterDesc chinese = RegisterManagerList::FromTexts("定时器", 0, "8A", "0");
  EXPECT_EQ(RegisterCells::NameText(chinese.GetName()), "定时器");
  EXPECT_EQ(RegisterManagerList::Line(chinese), "定时器       8A(L)");
}

} // namespace
