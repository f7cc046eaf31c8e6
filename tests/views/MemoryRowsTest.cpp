#include "MemoryRows.h"
#include "ViewsFixture.h"

#include <set>
#include <utility>

#include <gtest/gtest.h>

namespace {

// Records what the grid asks to repaint.
class RecordingSurface : public MemoryGridSurface {
public:
  void RepaintCell(int col, int row) override { Cells.emplace_back(col, row); }
  void RepaintGrid() override { ++Grids; }
  void ScrollPositionsChanged() override {}
  void Forget() {
    Cells.clear();
    Grids = 0;
  }
  std::vector<std::pair<int, int>> Cells;
  int Grids = 0;
};

// Character cells 12 x 18: rows are 21 pixels apart, byte columns 24 wide.
constexpr int RowPitch = 21;

struct MemoryRowsTest : ViewsFixture {
  RecordingSurface surface;
  MemoryRows rows{target, surface};
  // Header and `dataRows` data rows.
  void ShowRows(int dataRows) { rows.FitRows((dataRows + 1) * RowPitch, 0); }
  void Type(std::initializer_list<int> digits) {
    for (int d : digits)
      rows.TypeDigit(d);
  }
};

TEST_F(MemoryRowsTest, EachSpaceShowsItsRowsCaptionAndAddressColumn) {
  struct Case {
    int Space;
    const char* Caption;
    int SpaceRows;
    const char* FirstAddress;
  } cases[] = {{0, "程序存储区", 4096, "0000"},
               {1, "数据存储区", 4096, "0000"},
               {2, "CPU内部存储区", 16, "0000"},
               {3, "特殊寄存器区", 8, "0080"}};
  ShowRows(4);
  for (const Case& c : cases) {
    rows.SelectSpace(c.Space);
    EXPECT_EQ(rows.Caption(), c.Caption);
    EXPECT_EQ(rows.SpaceRows(), c.SpaceRows);
    EXPECT_EQ(rows.CellText(0, 1), c.FirstAddress);
  }
  EXPECT_EQ(rows.CellText(0, 0), "地址");
  EXPECT_EQ(rows.CellText(1, 0), "0");
  EXPECT_EQ(rows.CellText(16, 0), "F");
  EXPECT_EQ(rows.CellText(17, 0), "");
}

TEST_F(MemoryRowsTest, SpecialRegisterSpaceStartsAt80HAndHeaderThreeIsDPH) {
  ShowRows(10);
  rows.SelectSpace(3);
  cpu.SfrAt(SFR_DPH) = 0x5A;
  EXPECT_EQ(rows.CellText(4, 1), "5A");
  for (int r = 1; r <= 8; ++r)
    EXPECT_EQ(rows.CellText(0, r), MemoryRows::ScrollCaption(0x80 / 16 + r - 1).substr(9));
  EXPECT_EQ(rows.CellText(0, 8), "00F0");
  EXPECT_EQ(rows.CellText(0, 9), "");
  EXPECT_EQ(rows.CellText(1, 9), "");
}

TEST_F(MemoryRowsTest, InternalRamEndsAfterSixteenRowsAndTypingBeyondWritesNothing) {
  ShowRows(4);
  rows.SelectSpace(2);
  rows.SetStartAddr(0xF0);
  EXPECT_EQ(rows.CellText(0, 1), "00F0");
  EXPECT_EQ(rows.CellText(0, 2), "");
  EXPECT_EQ(rows.CellText(1, 2), "");
  rows.MoveRow(2);
  const auto before = cpu.IRam;
  Type({1, 2});
  EXPECT_EQ(cpu.IRam, before);
  // The cursor still advances.
  EXPECT_EQ(rows.EditCol(), 2);
  EXPECT_EQ(rows.EditNibble(), 0);
}

TEST_F(MemoryRowsTest, StartAddressBeyondTheSpaceShowsEmptyRows) {
  ShowRows(4);
  rows.SelectSpace(3);
  rows.SetStartAddr(0x1234);
  EXPECT_EQ(rows.StartAddr(), 0x1230);
  EXPECT_EQ(rows.CellText(0, 1), "");
  EXPECT_EQ(rows.CellText(5, 3), "");
}

TEST_F(MemoryRowsTest, SelectingInternalRamFromF0HStartsAtE0H) {
  ShowRows(4);
  rows.SetStartAddr(0xF0);
  rows.SelectSpace(2);
  EXPECT_EQ(rows.StartAddr(), 0xE0);
  rows.SetStartAddr(0xD0);
  rows.SelectSpace(2);
  EXPECT_EQ(rows.StartAddr(), 0xD0);
}

TEST_F(MemoryRowsTest, TypingTwoDigitsWritesTheByteAndMovesToTheNextOne) {
  ShowRows(4);
  rows.SelectSpace(1);
  Type({1, 2});
  EXPECT_EQ(cpu.XData[0], 0x12);
  EXPECT_EQ(rows.EditCol(), 2);
  EXPECT_EQ(rows.EditNibble(), 0);
  // The low nibble keeps the high one.
  rows.MoveCol(1);
  rows.MoveNibble(1);
  Type({0xF});
  EXPECT_EQ(cpu.XData[0], 0x1F);
}

TEST_F(MemoryRowsTest, TypingWrapsAtRowEndAndScrollsOnTheLastVisibleRow) {
  ShowRows(3);
  rows.SelectSpace(1);
  rows.MoveCol(16);
  Type({0xA, 0xB});
  EXPECT_EQ(cpu.XData[0x0F], 0xAB);
  EXPECT_EQ(std::make_pair(rows.EditRow(), rows.EditCol()), std::make_pair(2, 1));
  EXPECT_EQ(rows.StartAddr(), 0);

  rows.MoveRow(3);
  rows.MoveCol(16);
  surface.Forget();
  Type({0xC, 0xD});
  EXPECT_EQ(cpu.XData[0x2F], 0xCD);
  EXPECT_EQ(rows.StartAddr(), 0x10);
  EXPECT_EQ(std::make_pair(rows.EditRow(), rows.EditCol()), std::make_pair(3, 1));
  EXPECT_GE(surface.Grids, 1);
}

TEST_F(MemoryRowsTest, LeftFromColumnOneGoesToTheRowAboveAndScrollsUpOnTheFirstRow) {
  ShowRows(3);
  rows.SelectSpace(1);
  rows.SetStartAddr(0x100);
  rows.MoveRow(2);
  rows.MoveNibble(-1);
  EXPECT_EQ(rows.EditRow(), 1);
  EXPECT_EQ(rows.EditCol(), 16);
  EXPECT_EQ(rows.EditNibble(), 1);
  EXPECT_EQ(rows.StartAddr(), 0x100);

  rows.MoveCol(1);
  rows.MoveNibble(0);
  rows.MoveNibble(-1);
  EXPECT_EQ(rows.EditRow(), 1);
  EXPECT_EQ(rows.EditCol(), 16);
  EXPECT_EQ(rows.StartAddr(), 0xF0);
}

TEST_F(MemoryRowsTest, ScrollingStopsAtBothEndsOfTheSpace) {
  ShowRows(3);
  rows.SelectSpace(3);
  rows.ScrollUp();
  EXPECT_EQ(rows.StartAddr(), 0);
  rows.SetStartAddr(0x70);
  rows.ScrollDown();
  EXPECT_EQ(rows.StartAddr(), 0x70);
}

TEST_F(MemoryRowsTest, LeftOfAScrolledColumnScrollsLeftInsteadOfWrapping) {
  ShowRows(3);
  rows.SetLeftCol(5);
  rows.MoveCol(5);
  rows.MoveNibble(0);
  rows.MoveNibble(-1);
  EXPECT_EQ(rows.EditCol(), 4);
  EXPECT_EQ(rows.LeftCol(), 4);
  EXPECT_EQ(rows.EditRow(), 1);
}

TEST_F(MemoryRowsTest, DigitKeysIncludingTheAtSignAsZero) {
  const std::pair<int, int> cases[] = {{'0', 0},  {'9', 9},  {'A', 10}, {'F', 15}, {'@', 0},
                                       {'G', -1}, {'/', -1}, {':', -1}, {' ', -1}, {'a', -1}};
  for (const auto& [key, digit] : cases)
    EXPECT_EQ(MemoryRows::DigitOfKey(key), digit) << char(key);
}

TEST_F(MemoryRowsTest, WritesGoToTheSpaceShownAndProgramEditsRepaintTheDisassembly) {
  CountingDisassembly disassembly;
  ViewSlot<DisassemblyView> slot(wb->Views.Disassembly, &disassembly);
  ShowRows(3);
  rows.WriteByte(0x1234, 0x11);
  EXPECT_EQ(cpu.Code[0x1234], 0x11);
  EXPECT_EQ(disassembly.CodePaneRepaints, 1);
  rows.SelectSpace(1);
  rows.WriteByte(0x1234, 0x22);
  EXPECT_EQ(cpu.XData[0x1234], 0x22);
  rows.SelectSpace(2);
  rows.WriteByte(0x1F5, 0x33);
  EXPECT_EQ(cpu.IRam[0xF5], 0x33);
  rows.SelectSpace(3);
  rows.WriteByte(0x60, 0x44);
  EXPECT_EQ(cpu.SfrAt(SFR_ACC), 0x44);
  EXPECT_EQ(disassembly.CodePaneRepaints, 1);
}

TEST_F(MemoryRowsTest, ChangedBytesAreRedAfterAStepAndBlackAfterTheNext) {
  ShowRows(8);
  rows.SelectSpace(2);
  rows.ShowChanges();
  wb->TakeSnapshot();
  cpu.IRam[0x05] = 1;
  cpu.IRam[0x06] = 2;
  cpu.IRam[0x31] = 3;
  surface.Forget();
  rows.ShowChanges();
  EXPECT_EQ(surface.Grids, 0);
  EXPECT_EQ(std::set(surface.Cells.begin(), surface.Cells.end()),
            (std::set<std::pair<int, int>>{{6, 1}, {7, 1}, {2, 4}}));
  for (int r = 1; r < rows.RowCount(); ++r)
    for (int c = 1; c <= 16; ++c)
      EXPECT_EQ(rows.CellChanged(c, r), (r == 1 && (c == 6 || c == 7)) || (r == 4 && c == 2));

  wb->TakeSnapshot();
  cpu.IRam[0x40] = 9;
  surface.Forget();
  rows.ShowChanges();
  // The three cells turn black again and the new change turns red: four repaints.
  EXPECT_EQ(surface.Cells.size(), 4u);
  EXPECT_FALSE(rows.CellChanged(6, 1));
  EXPECT_TRUE(rows.CellChanged(1, 5));
}

TEST_F(MemoryRowsTest, ShowChangesRepaintsThreeToSixCellsForThreeChangedBytes) {
  ShowRows(8);
  rows.SelectSpace(1);
  rows.SetShowAscii(true);
  rows.ShowChanges();
  wb->TakeSnapshot();
  cpu.XData[0x00] = 1;
  cpu.XData[0x11] = 2;
  cpu.XData[0x22] = 3;
  surface.Forget();
  rows.ShowChanges();
  EXPECT_EQ(surface.Grids, 0);
  EXPECT_GE(surface.Cells.size(), 3u);
  EXPECT_LE(surface.Cells.size(), 6u);
}

TEST_F(MemoryRowsTest, AnEditedByteIsRepaintedBlackAfterTheNextStep) {
  ShowRows(4);
  rows.SelectSpace(1);
  rows.ShowChanges();
  Type({7, 7});
  EXPECT_TRUE(rows.CellChanged(1, 1));
  wb->TakeSnapshot();
  surface.Forget();
  rows.ShowChanges();
  EXPECT_EQ(surface.Cells, (std::vector<std::pair<int, int>>{{1, 1}}));
}

TEST_F(MemoryRowsTest, AsciiColumnShowsPrintableBytesAndDotsOnlyWhenChosen) {
  ShowRows(3);
  rows.SelectSpace(1);
  const char text[] = "Hi\x01~\x7F";
  std::copy(text, text + 5, cpu.XData.begin());
  EXPECT_EQ(rows.CellText(17, 1), "");
  rows.SetShowAscii(true);
  EXPECT_EQ(rows.CellText(17, 1), "Hi.~............");
  rows.SelectSpace(3);
  rows.SetStartAddr(0x70);
  EXPECT_EQ(rows.CellText(17, 1), "................");
  EXPECT_EQ(rows.CellText(17, 2), "");
}

TEST_F(MemoryRowsTest, RowsFitTheHeightAndTheMarksNeverOverflow) {
  EXPECT_EQ(rows.FitRows(10 * RowPitch + 5 + 16, 16), 10 * RowPitch + 16);
  EXPECT_EQ(rows.RowCount(), 10);
  EXPECT_EQ(rows.FitRows(3, 16), 2 * RowPitch + 16);
  EXPECT_EQ(rows.RowCount(), 2);
  rows.FitRows(5000 * RowPitch, 0);
  EXPECT_EQ(rows.RowCount(), MemoryRows::MaxRowCount);
  rows.ShowChanges();
}

TEST_F(MemoryRowsTest, AnEditRowThatNoLongerFitsMovesUpAndScrollsTheData) {
  ShowRows(6);
  rows.SelectSpace(1);
  rows.MoveRow(6);
  ShowRows(3);
  EXPECT_EQ(rows.EditRow(), 3);
  EXPECT_EQ(rows.StartAddr(), 0x10);
}

TEST_F(MemoryRowsTest, ClicksMoveTheCursorOnlyInsideByteCells) {
  ShowRows(3);
  // Address column 48 wide, then byte columns of 24 with 1-pixel lines.
  const int col3 = 49 + 2 * 25;
  EXPECT_TRUE(rows.Click(col3 + 13, RowPitch * 2 + 5));
  EXPECT_EQ(std::make_tuple(rows.EditCol(), rows.EditRow(), rows.EditNibble()),
            std::make_tuple(3, 2, 1));
  EXPECT_EQ(rows.CaretX(), col3 + 12 + 3);
  EXPECT_EQ(rows.CaretY(), RowPitch * 2 + 1);
  EXPECT_TRUE(rows.Click(col3 + 2, RowPitch + 1));
  EXPECT_EQ(rows.EditNibble(), 0);
  EXPECT_FALSE(rows.Click(10, RowPitch * 2 + 5));   // address column
  EXPECT_FALSE(rows.Click(col3, 5));                // header row
  EXPECT_FALSE(rows.Click(col3, RowPitch * 4 + 5)); // below the last row
  EXPECT_EQ(rows.EditRow(), 1);
}

TEST_F(MemoryRowsTest, AnEditCellOutOfViewScrollsItsColumnIn) {
  ShowRows(3);
  rows.MoveCol(16);
  rows.KeepEditCellVisible(49 + 5 * 25);
  EXPECT_EQ(rows.LeftCol(), 16);
  rows.KeepEditCellVisible(2000);
  EXPECT_EQ(rows.LeftCol(), 16);
}

} // namespace
