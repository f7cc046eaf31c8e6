#include "DisassemblyRows.h"
#include "../shell/TwoModuleProgram.h"
#include "Workbench.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Rows = DisassemblyRows;

class DisassemblyRowsTest : public ::testing::Test {
protected:
  DisassemblyRowsTest() {
    View.PaneWidth = 600;
    View.PaneHeight = 10 * 14 + 2;
    View.RowsWhenShown(View.PaneHeight); // rows 0 to 9
  }
  void LoadProgram() {
    ASSERT_EQ(WB->DebugInfo.LoadFile(WriteTwoModuleProgram(Dir)), 0);
    View.ResetView();
  }
  const TDefModuleInfo* Module(size_t index) const { return WB->DebugInfo.Modules.at(index).get(); }
  // The addresses of rows 0 to LastRow after a paint.
  std::vector<int32_t> Addresses() {
    View.Prepare(true);
    std::vector<int32_t> addresses;
    for (int r = 0; r <= View.LastRow; ++r)
      addresses.push_back(View.Rows[static_cast<size_t>(r)].RowAddr);
    return addresses;
  }
  void ScrollBy(int lines) {
    for (; lines > 0; --lines)
      View.ScrollBar(Rows::Scroll::LineDown);
    for (; lines < 0; ++lines)
      View.ScrollBar(Rows::Scroll::LineUp);
    View.Prepare(true);
  }

  TempDir Dir;
  SilentUserInterface UI;
  std::unique_ptr<Workbench> WB = std::make_unique<Workbench>(UI, Dir.Path);
  Rows View{WB->CPU, WB->CodeValid, WB->Port, WB->DebugInfo, WB->BreakPoints};
};

} // namespace

TEST_F(DisassemblyRowsTest, AfterResetViewOnlyAddressZeroIsAnAnchorAndUpFromZeroStays) {
  LoadProgram();
  EXPECT_EQ(View.Anchors.Values(), std::vector<int32_t>{0});
  EXPECT_EQ(View.Mode, Rows::DisassemblyMode);
  EXPECT_EQ(View.Caption(), "反汇编调试");
  ScrollBy(-1);
  View.Press(Rows::Key::PageUp);
  View.Press(Rows::Key::PageUp);
  EXPECT_EQ(View.TopAddr, 0);
  EXPECT_EQ(View.AnchorOffset, 0);
}

TEST_F(DisassemblyRowsTest, ThePCWithinTheRowsStaysAndOneOutsideBecomesTheFirstRow) {
  LoadProgram();
  View.Prepare(true);
  EXPECT_EQ(View.LastAddr, 9); // NOPs from 0000H
  View.ShowAddress(9);
  EXPECT_EQ(View.TopAddr, 0);
  View.ShowAddress(0x0106);
  EXPECT_EQ(View.TopAddr, 0x0106);
  EXPECT_EQ(View.AnchorAddr, 0);
  EXPECT_EQ(View.AnchorOffset, 0x100 + 2);
  EXPECT_EQ(View.Anchors.Values(), std::vector<int32_t>{0}); // reached on the stream from 0
  EXPECT_EQ(Addresses()[1], 0x0109);
}

TEST_F(DisassemblyRowsTest, AnAddressInsideAnInstructionBecomesAnAnchorTheRowsFollow) {
  LoadProgram();
  View.Prepare(true);
  View.ShowAddress(0x0101); // inside MOV P1,#00H
  EXPECT_EQ(View.TopAddr, 0x0101);
  EXPECT_EQ(View.AnchorAddr, 0x0101);
  EXPECT_EQ(View.AnchorOffset, 0);
  EXPECT_EQ(View.Anchors.Values(), (std::vector<int32_t>{0, 0x0101}));
  // 0101 MOV DPTR,#0012H; 0104 LJMP 0075H; 0107 MOV DPTR,#0FF80H
  const std::vector<int32_t> rows = Addresses();
  EXPECT_EQ(std::vector<int32_t>(rows.begin(), rows.begin() + 3),
            (std::vector<int32_t>{0x0101, 0x0104, 0x0107}));
  // One row up counts from the anchor below it: 0100H starts the instruction before.
  ScrollBy(-1);
  EXPECT_EQ(View.TopAddr, 0x0100);
  ScrollBy(1);
  EXPECT_EQ(View.TopAddr, 0x0103);
}

TEST_F(DisassemblyRowsTest, DownOneRowAndBackUpReturnsToTheSameTopAlsoAfterShowFromPC) {
  LoadProgram();
  struct Case {
    const char* Name;
    bool FromPC;
    int32_t Top;
  };
  for (const Case c : {Case{"shown", false, 0x0106}, Case{"from PC", true, 0x0103}}) {
    SCOPED_TRACE(c.Name);
    View.ResetView();
    View.Prepare(true);
    WB->CPU.PC = static_cast<uint16_t>(c.Top);
    if (c.FromPC)
      View.Press(Rows::Key::Space);
    else
      View.ShowAddress(static_cast<uint16_t>(c.Top));
    View.Prepare(true);
    ASSERT_EQ(View.TopAddr, c.Top);
    for (int lines : {1, 3, 12}) {
      ScrollBy(lines);
      EXPECT_NE(View.TopAddr, c.Top);
      ScrollBy(-lines);
      EXPECT_EQ(View.TopAddr, c.Top) << lines;
    }
    ScrollBy(-1); // the instruction before, counted from address 0
    EXPECT_EQ(View.TopAddr, c.Top - 3);
    EXPECT_EQ(View.ScrollPosition, View.TopAddr);
  }
}

TEST_F(DisassemblyRowsTest, KeysMoveTheCursorRowFirstAndScrollAtTheEdges) {
  LoadProgram();
  View.Prepare(true);
  View.Press(Rows::Key::Down);
  EXPECT_EQ(View.CursorRow, 1);
  EXPECT_EQ(View.TopAddr, 0);
  View.Press(Rows::Key::PageDown);
  EXPECT_EQ(View.CursorRow, 9);
  View.Press(Rows::Key::Down);
  EXPECT_EQ(View.TopAddr, 1);
  View.Press(Rows::Key::PageDown);
  EXPECT_EQ(View.TopAddr, 11);
  View.Press(Rows::Key::PageUp);
  EXPECT_EQ(View.CursorRow, 0);
  View.Press(Rows::Key::PageUp);
  EXPECT_EQ(View.TopAddr, 1);
  View.Press(Rows::Key::Up);
  EXPECT_EQ(View.TopAddr, 0);
  // Horizontal keys move the caret column, then the text.
  View.PaneWidth = 3 * 7;
  View.Press(Rows::Key::Right);
  View.Press(Rows::Key::Right);
  EXPECT_EQ(View.CursorCol, 2);
  EXPECT_TRUE(View.Press(Rows::Key::Right));
  EXPECT_EQ(View.HOffset, 1);
  EXPECT_TRUE(View.Press(Rows::Key::End));
  EXPECT_EQ(View.HOffset, 100);
  EXPECT_FALSE(View.Press(Rows::Key::Right)); // at most 99 by Right; End goes to 100
  View.Press(Rows::Key::Left);
  View.Press(Rows::Key::Left);
  View.Press(Rows::Key::Left);
  View.Press(Rows::Key::Left);
  EXPECT_EQ(View.CursorCol, 0);
  EXPECT_EQ(View.HOffset, 99);
  View.Press(Rows::Key::Home);
  EXPECT_EQ(View.HOffset, 0);
  // Esc stops a run even before Stop is reached.
  WB->CPU.Running = true;
  View.Press(Rows::Key::Escape);
  EXPECT_FALSE(WB->CPU.Running);
}

TEST_F(DisassemblyRowsTest, TheScrollBoxShowsItsAddressWhileDraggedAndJumpsAtTheEnd) {
  LoadProgram();
  View.ScrollBar(Rows::Scroll::Track, 0x1234);
  EXPECT_EQ(View.Caption(), "当前地址：1234");
  EXPECT_EQ(View.TopAddr, 0);
  View.ScrollBar(Rows::Scroll::End);
  EXPECT_EQ(View.TopAddr, 0x1234);
  EXPECT_EQ(View.Caption(), "反汇编调试");
  EXPECT_EQ(View.Anchors.Values(), (std::vector<int32_t>{0, 0x1234}));
}

TEST_F(DisassemblyRowsTest, SourceRowsNumberEveryLineAndMarkOnlyThoseWithCode) {
  LoadProgram();
  View.SelectMode(Rows::SourceMode);
  EXPECT_EQ(View.CurModule, Module(0));
  WB->CPU.PC = 0x0100;
  View.Prepare(true);
  EXPECT_EQ(View.Caption(), "当前模块：MAIN");
  EXPECT_EQ(View.ScrollMaximum(), 7);
  EXPECT_EQ(View.Text(3), "  P1 = 0;");
  const Rows::GutterRow noCode = View.Gutter(0);
  EXPECT_EQ(noCode.Number, 1);
  EXPECT_FALSE(noCode.RunLine);
  EXPECT_EQ(View.CursorAddress(), -1);
  EXPECT_FALSE(View.ToggleBreakpoint(0));
  EXPECT_TRUE(WB->BreakPoints.Empty());
  const Rows::GutterRow pc = View.Gutter(3);
  EXPECT_EQ(pc.Number, 4);
  EXPECT_TRUE(pc.RunLine && pc.CurrentPC && !pc.BreakPoint);
  EXPECT_EQ(View.Gutter(8).Number, 0); // past the last line
  // Toggling twice leaves the list as it was; only the first of two equal entries goes.
  EXPECT_TRUE(View.ToggleBreakpoint(3));
  EXPECT_TRUE(View.Gutter(3).BreakPoint);
  EXPECT_TRUE(View.ToggleBreakpoint(3));
  EXPECT_TRUE(WB->BreakPoints.Empty());
  for (int32_t address : {0x0100, 0x0200, 0x0100})
    WB->BreakPoints.Add(address);
  View.ToggleBreakpoint(3);
  EXPECT_EQ(WB->BreakPoints.Values(), (std::vector<int32_t>{0x0200, 0x0100}));
  View.ClickPane(5 * 7 + 3, 4 * 14 + 5);
  EXPECT_EQ(View.CursorRow, 4);
  EXPECT_EQ(View.CursorCol, 5);
  EXPECT_EQ(View.CursorAddress(), 0x0103);
}

TEST_F(DisassemblyRowsTest, SourceModeShowsLineStartsAndFallsBackForOtherAddresses) {
  LoadProgram();
  View.SelectMode(Rows::SourceMode);
  View.Prepare(true);
  View.ShowAddress(0x0103); // on a row already
  EXPECT_EQ(View.TopLine, 0);
  View.ShowAddress(0x0204);
  EXPECT_EQ(View.CurModule, Module(1));
  EXPECT_EQ(View.TopLine, 3);
  View.Prepare(true);
  View.ShowAddress(0x0101); // no line starts there
  EXPECT_EQ(View.Mode, Rows::DisassemblyMode);
}

TEST_F(DisassemblyRowsTest, MixedRowsRunUpToTheNextLineAndThroughTheModulesLastByte) {
  LoadProgram();
  View.RowsWhenResized(30 * 14);
  View.SelectMode(Rows::MixedMode);
  View.Prepare(true);
  std::vector<std::pair<int32_t, int32_t>> rows;
  for (int r = 0; r < 13; ++r)
    rows.emplace_back(View.Rows[static_cast<size_t>(r)].RowLine,
                      View.Rows[static_cast<size_t>(r)].RowAddr);
  EXPECT_EQ(rows, (std::vector<std::pair<int32_t, int32_t>>{{1, -1},
                                                            {2, -1},
                                                            {3, -1},
                                                            {4, -1},
                                                            {-1, 0x0100},
                                                            {5, -1},
                                                            {-1, 0x0103},
                                                            {6, -1},
                                                            {-1, 0x0106},
                                                            {7, -1},
                                                            {-1, 0x0109},
                                                            {8, -1},
                                                            {-1, -1}}));
  EXPECT_EQ(View.Kind(3), Rows::TextKind::MixedSource);
  EXPECT_EQ(View.Kind(4), Rows::TextKind::MixedCode);
  EXPECT_EQ(View.Gutter(4).Number, 0);
  EXPECT_EQ(View.Gutter(5).Number, 5);
  // DELAY's last line is its RET, the module's last byte.
  View.ShowAddress(0x0202);
  EXPECT_EQ(View.CurModule, Module(1));
  EXPECT_EQ(View.TopLine, 2);
  View.Prepare(true);
  EXPECT_EQ(View.Rows[1].RowAddr, 0x0200);
  EXPECT_EQ(View.Rows[2].RowAddr, 0x0202);
  EXPECT_EQ(View.Rows[3].RowLine, 4);
  EXPECT_EQ(View.Rows[4].RowAddr, 0x0204);
  View.ShowAddress(0x0204); // on a row
  EXPECT_EQ(View.Mode, Rows::MixedMode);
  View.ShowAddress(0x0109); // in the code of MAIN's last line: no later line
  EXPECT_EQ(View.Mode, Rows::DisassemblyMode);
}

TEST_F(DisassemblyRowsTest, SourceScrollingStopsWithTheLastLineOnTop) {
  LoadProgram();
  View.SelectMode(Rows::SourceMode);
  View.Prepare(true);
  View.ScrollBar(Rows::Scroll::PageDown);
  EXPECT_EQ(View.TopLine, 7);
  View.ScrollBar(Rows::Scroll::LineUp);
  EXPECT_EQ(View.TopLine, 6);
  View.ScrollBar(Rows::Scroll::Track, 5);
  EXPECT_EQ(View.TopLine, 5);
  View.Prepare(true);
  View.Press(Rows::Key::Space); // the PC's line, 0100H, is not shown
  View.Prepare(true);
  EXPECT_EQ(View.Rows[0].RowAddr, 0x0100);
}

TEST_F(DisassemblyRowsTest, WithoutAModuleWithSourceTextTheNextPaintFallsBack) {
  View.SelectMode(Rows::SourceMode); // nothing loaded
  EXPECT_EQ(View.CurModule, nullptr);
  View.Prepare(true);
  EXPECT_EQ(View.Mode, Rows::DisassemblyMode);
  LoadProgram();
  View.SelectMode(Rows::MixedMode);
  View.CurModule = nullptr;
  EXPECT_EQ(View.Gutter(0).Number, 0);
  EXPECT_EQ(View.Mode, Rows::DisassemblyMode);
}

TEST_F(DisassemblyRowsTest, TheCaretStaysInsideTheWindowAndRowsInsideTheTable) {
  View.CursorRow = 9;
  View.CursorCol = 80;
  View.PaneWidth = 10 * 7;
  View.PaneHeight = 4 * 14 + 2;
  View.Prepare(true);
  EXPECT_EQ(View.CursorRow, 3);
  EXPECT_EQ(View.CursorCol, 9);
  View.RowsWhenResized(5000 * 14);
  EXPECT_EQ(View.LastRow, 200);
  View.RowsWhenShown(3);
  EXPECT_EQ(View.LastRow, 0);
  View.ClickPane(10, 5000 * 14);
  EXPECT_EQ(View.CursorRow, 200);
  EXPECT_FALSE(View.ToggleBreakpoint(-1));
  EXPECT_FALSE(View.ToggleBreakpoint(201));
}
