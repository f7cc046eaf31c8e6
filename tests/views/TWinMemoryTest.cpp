#include "TWinMemory.h"
#include "ViewsFixture.h"
#include "WindowPictures.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TWinMemoryTest : ViewsFixture {
  TViewContext context{*wb, {}, {}, {}};
  QMdiArea area;
  TWinMemory* win = new TWinMemory(context, 1);
  QMdiSubWindow* frame = area.addSubWindow(win);

  TWinMemoryTest() {
    area.resize(720, 420);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->resize(600, 300);
    area.show();
    frame->show();
    QApplication::processEvents();
  }
  MemoryRows& rows() { return win->Rows(); }
  // A step as the views see it: the snapshot, then bytes changed by the target.
  void Step(const std::vector<int>& iramAddresses) {
    wb->TakeSnapshot();
    for (int a : iramAddresses)
      ++cpu.IRam[a];
    wb->Refresh();
    QApplication::processEvents();
  }
};

TEST_F(TWinMemoryTest, FillsItsSlotWhileOpenAndShowsProgramMemoryFirst) {
  EXPECT_EQ(wb->Views.Memory1, win);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("程序存储区"));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("程序存储区"));
  EXPECT_TRUE(win->ActionROM->isChecked());
  frame->close();
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(wb->Views.Memory1, nullptr);
}

TEST_F(TWinMemoryTest, BothMenusHoldTheSpacesAddressReloadAndAscii) {
  QStringList expected = {"程序存储区(&O)",
                          "数据存储区(&A)",
                          "CPU内部存储区(&I)",
                          "特殊寄存器区(&R)",
                          "",
                          "显示地址(&S)",
                          "",
                          "刷新(&R)",
                          "",
                          "显示ASCII"};
  for (QMenu* menu : {win->MergedMenus().front(), win->ContextMenu()})
    EXPECT_EQ(MenuTexts(menu), expected);
  EXPECT_EQ(win->MergedMenus().front()->title(), QStringLiteral("编辑(&E)"));
}

TEST_F(TWinMemoryTest, TheHeightSnapsToWholeRows) {
  const int pitch = rows().RowHeight() + 1;
  const int bar = win->height() - rows().GridHeight();
  EXPECT_EQ(win->height(), rows().RowCount() * pitch + bar);
  frame->resize(600, frame->height() + pitch / 2);
  QApplication::processEvents();
  EXPECT_EQ(win->height(), rows().RowCount() * pitch + bar);
}

TEST_F(TWinMemoryTest, ExactlyTheChangedBytesAreRedAfterAStepAndBlackAfterTheNext) {
  win->ActionInCPU->trigger();
  EXPECT_EQ(win->windowTitle(), QStringLiteral("CPU内部存储区"));
  Step({0x03, 0x14, 0x15});
  const QImage image = SavePicture(area, "memory-step");
  for (int r = 1; r < rows().RowCount(); ++r)
    for (int c = 1; c <= 16; ++c) {
      const bool changed = (r == 1 && c == 4) || (r == 2 && (c == 5 || c == 6));
      const QRect cell = win->CellRect(c, r).translated(win->mapTo(&area, QPoint()));
      EXPECT_EQ(CountPixels(image, cell, IsRed) > 0, changed) << r << "," << c;
      EXPECT_GT(CountPixels(image, cell, IsDark) + CountPixels(image, cell, IsRed), 0);
    }
  Step({0x40});
  const QImage next = SavePicture(area, "memory-next-step");
  const QPoint at = win->mapTo(&area, QPoint());
  EXPECT_EQ(CountPixels(next, win->CellRect(4, 1).translated(at), IsRed), 0);
  EXPECT_GT(CountPixels(next, win->CellRect(1, 5).translated(at), IsRed), 0);
}

TEST_F(TWinMemoryTest, TheAsciiColumnShowsTheRowsTextWithChangedBytesInRed) {
  area.resize(920, 420);
  frame->resize(900, 300);
  win->ActionRAM->trigger();
  const char text[] = "Corvel 8051 lab!";
  std::copy(text, text + 16, cpu.XData.begin());
  win->ActionShowAscii->trigger();
  wb->TakeSnapshot();
  cpu.XData[0] = 'K';
  wb->Refresh();
  QApplication::processEvents();
  EXPECT_EQ(rows().CellText(17, 1), "Korvel 8051 lab!");
  const QImage image = SavePicture(area, "memory-ascii");
  const QRect ascii = win->CellRect(17, 1).translated(win->mapTo(&area, QPoint()));
  EXPECT_GT(CountPixels(image, ascii, IsRed), 0);
}

TEST_F(TWinMemoryTest, KeysTypeDigitsAndMoveTheCursor) {
  win->ActionRAM->trigger();
  win->setFocus();
  QTest::keyClick(win, Qt::Key_1);
  QTest::keyClick(win, Qt::Key_2);
  QTest::keyClick(win, Qt::Key_G);
  QTest::keyClick(win, Qt::Key_A);
  QTest::keyClick(win, Qt::Key_Left);
  QTest::keyClick(win, Qt::Key_F);
  EXPECT_EQ(cpu.XData[0], 0x12);
  EXPECT_EQ(cpu.XData[1], 0xF0);
  QTest::keyClick(win, Qt::Key_Down);
  EXPECT_EQ(rows().EditRow(), 2);
  QTest::keyClick(win, Qt::Key_Up);
  QTest::keyClick(win, Qt::Key_Up);
  EXPECT_EQ(rows().EditRow(), 1);
}

TEST_F(TWinMemoryTest, AClickPlacesTheCursorAndTheStartAddressComesFromTheAddressDialog) {
  win->ActionRAM->trigger();
  const QRect cell = win->CellRect(5, 2);
  QTest::mouseClick(win, Qt::LeftButton, {}, cell.center() + QPoint(6, 0));
  EXPECT_EQ(std::make_tuple(rows().EditCol(), rows().EditRow(), rows().EditNibble()),
            std::make_tuple(5, 2, 1));
  ui.Answer = 0x1234;
  win->ActionSetStartAddr->trigger();
  EXPECT_EQ(ui.Asked.back(), std::make_pair(uint16_t{0}, false));
  EXPECT_EQ(rows().StartAddr(), 0x1230);
  ui.Answer.reset();
  win->ActionSetStartAddr->trigger();
  EXPECT_EQ(rows().StartAddr(), 0x1230);
  SavePicture(area, "memory-xdata-1230");
}

TEST_F(TWinMemoryTest, TwoWindowsAreIndependent) {
  auto* second = new TWinMemory(context, 2);
  area.addSubWindow(second)->show();
  EXPECT_EQ(wb->Views.Memory2, second);
  second->ActionReg->trigger();
  EXPECT_EQ(win->Space(), 0);
  EXPECT_EQ(second->Space(), 3);
  EXPECT_EQ(second->Rows().CellText(0, 1), "0080");
}

} // namespace
