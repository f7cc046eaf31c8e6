#include "TWinDebug.h"
#include "../shell/TwoModuleProgram.h"
#include "Workbench.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Answers the address question with a scripted address.
class AddressUI : public SilentUserInterface {
public:
  std::optional<uint16_t> AskAddress(uint16_t, bool) override { return Answer; }
  std::optional<uint16_t> Answer;
};

class TWinDebugTest : public ::testing::Test {
protected:
  TWinDebugTest() {
    EXPECT_EQ(WB->DebugInfo.LoadFile(WriteTwoModuleProgram(Dir)), 0);
    WB->Option.DebugBounds = {0, 0, 520, 300};
    Window = std::make_unique<TWinDebug>(TViewContext{*WB, [](const QString&) { return nullptr; },
                                                      [this](int e) { Soft.push_back(e); },
                                                      [this](int e) { Hard.push_back(e); }});
    Window->show();
    QApplication::processEvents();
  }
  const DisassemblyRows& Rows() const { return Window->Rows(); }
  QPoint RowPoint(int row, int x = 20) const {
    return {x, row * Rows().LineHeight + Rows().LineHeight / 2};
  }
  // The code pane as painted, saved for a look when a pictures folder is given.
  QImage Picture(const QString& name) {
    QApplication::processEvents();
    const QImage image = Window->grab().toImage();
    QDir().mkpath(PICTURES_DIR);
    image.save(QString(PICTURES_DIR) + "/" + name + ".png");
    return image;
  }

  TempDir Dir;
  AddressUI UI;
  std::unique_ptr<Workbench> WB = std::make_unique<Workbench>(UI, Dir.Path);
  std::vector<int> Soft, Hard;
  std::unique_ptr<TWinDebug> Window;
};

} // namespace

TEST_F(TWinDebugTest, TheWindowFillsItsSlotWhileItExistsAndFitsItsRows) {
  EXPECT_EQ(WB->Views.Disassembly, Window.get());
  EXPECT_EQ(Window->windowTitle(), "反汇编调试");
  EXPECT_GT(Rows().LastRow, 5);
  EXPECT_EQ(Rows().LastRow, (Window->PBInfo->height() - 2) / Rows().LineHeight - 1);
  EXPECT_EQ(Window->SBVScroll->maximum(), 0xFFFF);
  Window.reset();
  EXPECT_EQ(WB->Views.Disassembly, nullptr);
}

TEST_F(TWinDebugTest, ThreeModesWithTwoBreakpointsAndThePCShadedRender) {
  WB->BreakPoints.Add(0x0103);
  WB->BreakPoints.Add(0x0202);
  WB->CPU.PC = 0x0106;
  Window->ACDebugSource->trigger();
  WB->ShowPC();
  EXPECT_EQ(Window->windowTitle(), "当前模块：MAIN");
  EXPECT_TRUE(Window->ACDebugSource->isChecked());
  EXPECT_FALSE(Window->ShowFromPC->isEnabled());
  const QImage source = Picture("source");
  // The PC's row (line 6, row 5) is shaded behind its text; the row above is white.
  const int y = 5 * Rows().LineHeight + 2 + 1;
  EXPECT_EQ(source.pixelColor(Window->PBDebug->x() + 300, y), QColor(0xFF, 0xF4, 0xC0));
  EXPECT_EQ(source.pixelColor(Window->PBDebug->x() + 300, y - Rows().LineHeight), Qt::white);

  Window->ACDebugMix->trigger();
  WB->ShowPC();
  EXPECT_TRUE(Window->ACDebugMix->isChecked());
  Picture("mixed");

  Window->ACDebugASM->trigger();
  WB->CPU.PC = 0x0200;
  WB->ShowPC();
  EXPECT_EQ(Rows().TopAddr, 0x0200);
  EXPECT_TRUE(Window->ShowFromPC->isEnabled());
  Picture("disassembly");
  // In the gutter the breakpoint's red hand sits at x 4 of its row.
  const QImage gutter = Window->PBInfo->grab().toImage();
  const int row = 1; // 0202H
  bool red = false;
  for (int x = 4; x < 20; ++x)
    for (int dy = 3; dy < 14; ++dy) {
      const QColor c = gutter.pixelColor(x, row * Rows().LineHeight + dy);
      red = red || (c.red() > 180 && c.green() < 80 && c.blue() < 80);
    }
  EXPECT_TRUE(red);
}

TEST_F(TWinDebugTest, KeysMoveTheCursorAndSpaceShowsFromThePC) {
  QTest::keyClick(Window.get(), Qt::Key_Down);
  QTest::keyClick(Window.get(), Qt::Key_Down);
  EXPECT_EQ(Rows().CursorRow, 2);
  EXPECT_EQ(Window->CursorAddress(), 2);
  QTest::keyClick(Window.get(), Qt::Key_PageDown);
  QTest::keyClick(Window.get(), Qt::Key_Down);
  EXPECT_EQ(Rows().TopAddr, 1);
  WB->CPU.PC = 0x0103;
  QTest::keyClick(Window.get(), Qt::Key_Space);
  EXPECT_EQ(Rows().TopAddr, 0x0103);
  EXPECT_EQ(Window->SBVScroll->value(), 0x0103);
  QTest::keyClick(Window.get(), Qt::Key_End);
  EXPECT_EQ(Rows().HOffset, 100);
  EXPECT_EQ(Window->SBHScroll->value(), 100);
  QTest::keyClick(Window.get(), Qt::Key_Home);
  EXPECT_EQ(Window->SBHScroll->value(), 0);
  // In source mode Space shows the PC's line.
  Window->ACDebugSource->trigger();
  WB->CPU.PC = 0x0200;
  QTest::keyClick(Window.get(), Qt::Key_Space);
  EXPECT_EQ(Window->windowTitle(), "当前模块：DELAY");
}

TEST_F(TWinDebugTest, GutterClicksToggleBreakpointsAndARightClickMovesTheCursorFirst) {
  Window->ACDebugSource->trigger();
  QTest::mouseClick(Window->PBInfo, Qt::LeftButton, {}, RowPoint(0)); // line 1: no code
  EXPECT_TRUE(WB->BreakPoints.Empty());
  QTest::mouseClick(Window->PBInfo, Qt::LeftButton, {}, RowPoint(4));
  EXPECT_EQ(WB->BreakPoints.Values(), std::vector<int32_t>{0x0103});
  QTest::mouseClick(Window->PBInfo, Qt::RightButton, {}, RowPoint(4));
  EXPECT_EQ(WB->BreakPoints.Values(), std::vector<int32_t>{0x0103});
  QTest::mouseClick(Window->PBInfo, Qt::LeftButton, {}, RowPoint(4));
  EXPECT_TRUE(WB->BreakPoints.Empty());

  QTest::mouseClick(Window->PBDebug, Qt::RightButton, {}, RowPoint(5, 30));
  EXPECT_EQ(Rows().CursorRow, 5);
  EXPECT_EQ(Window->CursorAddress(), 0x0106);
  Window->ToggleBreakpointAtCursor();
  EXPECT_EQ(WB->BreakPoints.Values(), std::vector<int32_t>{0x0106});
}

TEST_F(TWinDebugTest, TheScrollBoxCaptionAndTheEditMenuAndExperimentSubmenus) {
  Window->SBVScroll->setSliderDown(true);
  Window->SBVScroll->setSliderPosition(0x1234);
  EXPECT_EQ(Window->windowTitle(), "当前地址：1234");
  Window->SBVScroll->setSliderDown(false);
  EXPECT_EQ(Rows().TopAddr, 0x1234);
  EXPECT_EQ(Window->windowTitle(), "反汇编调试");

  ASSERT_EQ(Window->MergedMenus().size(), 1);
  EXPECT_EQ(Window->EditMenu->title(), "编辑(&E)");
  QStringList items;
  for (QAction* action : Window->EditMenu->actions())
    items << action->text();
  EXPECT_EQ(items, (QStringList{"源文件方式(&S)", "混合方式(&M)", "反汇编方式(&A)", "",
                                "设置显示地址(&D)", "从PC处开始显示(&P)", "", "刷新(&R)"}));
  EXPECT_EQ(Window->SetPCSoftTest->actions().size(), 10);
  EXPECT_EQ(Window->SetPCHardTest->actions().size(), 16);
  Window->SetPCSoftTest->actions().at(3)->trigger();
  Window->SetPCHardTest->actions().at(15)->trigger();
  EXPECT_EQ(Soft, std::vector<int>{3});
  EXPECT_EQ(Hard, std::vector<int>{15});

  UI.Answer = 0x0200;
  Window->SetShowAddr->trigger();
  EXPECT_EQ(Rows().TopAddr, 0x0200);
  UI.Answer.reset();
  Window->SetShowAddr->trigger();
  EXPECT_EQ(Rows().TopAddr, 0x0200);
}
