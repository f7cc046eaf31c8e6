#include "TWinRegist.h"
#include "TBevelBtn.h"
#include "TDlgInputRegistor.h"
#include "TDlgRegistorMange.h"
#include "TViewWindows.h"
#include "TestFrame.h"
#include "ViewsFixture.h"
#include "WindowPictures.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct TWinRegistTest : ViewsFixture {
  TViewContext context{*wb, {}, {}, {}};
  TestFrame frame;
  TViewWindows views{frame, context, &frame};

  TWinRegistTest() {
    frame.show();
    frame.ShowView(0);
    frame.OpenFrame(0)->resize(460, 200);
    QApplication::processEvents();
  }
  TWinRegist* win() const { return frame.OpenView<TWinRegist>(0); }
  TBevelBtn* cell(const char* name) const { return win()->Cell(QString::fromLatin1(name)); }
  void Step(std::initializer_list<uint8_t> code) {
    std::copy(code.begin(), code.end(), cpu.Code.begin() + cpu.PC);
    wb->TakeSnapshot();
    cpu.ExecuteInstruction();
    wb->Refresh();
    QApplication::processEvents();
  }
  // Runs `inside` once the next modal dialog is up.
  static void WhenModal(std::function<void()> inside) {
    QTimer::singleShot(0, [inside = std::move(inside)] { inside(); });
  }
  void Settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QApplication::processEvents();
    }
  }
};

TEST_F(TWinRegistTest, ChangedValuesAreRedAfterAStepAndBlackAfterTheNext) {
  EXPECT_EQ(win()->windowTitle(), QStringLiteral("寄存器 (Corvel)"));
  EXPECT_EQ(wb->Views.Register, win());
  Step({0x74, 0x01}); // MOV A,#01H changes the parity bit too
  const QImage image = SavePicture(frame, "register-step");
  for (TBevelBtn* b : win()->Buttons()) {
    const bool red =
        b->objectName() == "RACC00" || b->objectName() == "RPSW01" || b->objectName() == "Msc51PCR";
    EXPECT_EQ(b->CaptionChanged(), red) << b->objectName().toStdString();
    const QRect at(b->mapTo(&frame, QPoint()), b->size());
    EXPECT_EQ(CountPixels(image, at, IsRed) > 0, red) << b->objectName().toStdString();
  }
  EXPECT_EQ(cell("RACC00")->text(), "01");
  EXPECT_EQ(cell("RPSW01")->text(), "01");
  Step({0x00});
  EXPECT_FALSE(cell("RACC00")->CaptionChanged());
  EXPECT_FALSE(cell("RPSW01")->CaptionChanged());
  EXPECT_TRUE(cell("Msc51PCR")->CaptionChanged());
}

TEST_F(TWinRegistTest, CellsAreLaidOutInEvenRowsAtSeventyTwoPixelSteps) {
  EXPECT_EQ(cell("Msc51PC")->geometry(), QRect(8, 3, 64, 18));
  EXPECT_EQ(cell("RPSW01")->pos(), QPoint(5 * 72 + 8, 3));
  EXPECT_EQ(cell("BDPTR02")->pos(), QPoint(8, 24));
  win()->resize(150, 400);
  EXPECT_EQ(cell("Msc51PCR")->pos(), QPoint(80, 3));
  EXPECT_EQ(cell("BACC00")->pos(), QPoint(8, 24));
  EXPECT_EQ(cell("Msc51PC")->Style(), bsRaised);
  EXPECT_EQ(cell("Msc51PCR")->Style(), bsLowered);
}

TEST_F(TWinRegistTest, AClickOnANameCellEditsTheValueThroughTheAddressDialog) {
  ui.Answer = 0x1A5;
  QTest::mouseClick(cell("BACC00"), Qt::LeftButton);
  EXPECT_EQ(ui.Asked.back(), std::make_pair(uint16_t{0}, false));
  EXPECT_EQ(cpu.SfrAt(SFR_ACC), 0xA5);
  EXPECT_EQ(cell("RACC00")->text(), "A5");
  EXPECT_EQ(cell("BACC00")->Style(), bsRaised);
  ui.Answer.reset();
  QTest::mouseClick(cell("Msc51PC"), Qt::LeftButton);
  EXPECT_EQ(cpu.PC, 0);
  ui.Answer = 0x0123;
  QTest::mouseClick(cell("Msc51PC"), Qt::LeftButton);
  EXPECT_EQ(cpu.PC, 0x0123);
  EXPECT_EQ(cell("Msc51PCR")->text(), "0123");
}

TEST_F(TWinRegistTest, ValueCellsShowHexDecimalAndBinaryOnHover) {
  cpu.SfrAt(SFR_B) = 0x12;
  win()->UpdateCells();
  EXPECT_EQ(cell("RB04")->toolTip(), "12H = 18 = 00010010B");
  EXPECT_EQ(cell("Msc51PCR")->toolTip(), "0000H = 0 = 0000000000000000B");
}

TEST_F(TWinRegistTest, BothMenusHoldTheManagerDefaultsAndRefresh) {
  const QStringList expected = {"寄存器设置(&R)", "重新装入寄存器(&L)", "", "刷新(&F)"};
  for (QMenu* menu : {win()->MergedMenus().front(), win()->ContextMenu()})
    EXPECT_EQ(MenuTexts(menu), expected);
}

TEST_F(TWinRegistTest, UncheckingARegisterInTheManagerRebuildsTheWindowWithoutIt) {
  TDlgRegistorMange& manager = *views.RegistorMange();
  WhenModal([&] {
    EXPECT_EQ(manager.CLBRegistor->item(0)->text(), "ACC       E0(L)");
    EXPECT_EQ(manager.CLBRegistor->item(2)->text(), "DPTR      82(L), 83(H)");
    manager.CLBRegistor->item(0)->setCheckState(Qt::Unchecked);
    manager.BtnOK->click();
  });
  TWinRegist* old = win();
  old->ActionRegistorMange->trigger();
  Settle();
  ASSERT_NE(win(), nullptr);
  EXPECT_NE(win(), old);
  EXPECT_EQ(wb->Views.Register, win());
  EXPECT_EQ(cell("BACC00"), nullptr);
  EXPECT_NE(cell("BPSW01"), nullptr);
  EXPECT_EQ(cpu.Registers[0].Visible, 0);
  EXPECT_EQ(prev.Registers[0].Visible, 0);
}

TEST_F(TWinRegistTest, ManagerCancelDiscardsChecksAndAdditions) {
  TDlgRegistorMange& manager = *views.RegistorMange();
  WhenModal([&] {
    manager.CLBRegistor->item(0)->setCheckState(Qt::Unchecked);
    WhenModal([&] {
      manager.InputRegistor->EName->setText("T0");
      manager.InputRegistor->BtnOK->click();
    });
    manager.BtnAdd->click();
    EXPECT_EQ(manager.CLBRegistor->count(), 30);
    // The check mark set before the addition survives it.
    EXPECT_EQ(manager.CLBRegistor->item(0)->checkState(), Qt::Unchecked);
    manager.BtnCancel->click();
  });
  TWinRegist* old = win();
  old->ActionRegistorMange->trigger();
  Settle();
  EXPECT_EQ(win(), old);
  EXPECT_EQ(cpu.Registers.size(), 29u);
  EXPECT_EQ(cpu.Registers[0].Visible, 1);
}

TEST_F(TWinRegistTest, AUserPairAddedInTheManagerShowsFourDigitsHighByteFirst) {
  TDlgRegistorMange& manager = *views.RegistorMange();
  cpu.SfrAt(0x8A) = 0x34;
  cpu.SfrAt(0x8C) = 0x12;
  WhenModal([&] {
    WhenModal([&] {
      TDlgInputRegistor& input = *manager.InputRegistor;
      EXPECT_EQ(input.LengthItem(), 0);
      EXPECT_FALSE(input.EAddrH->isEnabled());
      input.EName->setText("定时器零");
      input.TwoBytes->click();
      EXPECT_TRUE(input.EAddrH->isEnabled());
      input.EAddrL->setText("8A");
      input.EAddrH->setText("8C");
      SavePicture(input, "register-properties");
      input.BtnOK->click();
    });
    manager.BtnAdd->click();
    SavePicture(manager, "register-manager");
    manager.BtnOK->click();
  });
  win()->ActionRegistorMange->trigger();
  Settle();
  const std::vector<TBevelBtn*>& cells = win()->Buttons();
  EXPECT_EQ(cells[cells.size() - 2]->text(), QStringLiteral("定时器零"));
  EXPECT_EQ(cells.back()->text(), "1234");
  frame.OpenFrame(0)->resize(460, 200);
  SavePicture(frame, "register-user-pair");
}

TEST_F(TWinRegistTest, EditingAManagerLineKeepsItsPlace) {
  TDlgRegistorMange& manager = *views.RegistorMange();
  WhenModal([&] {
    manager.CLBRegistor->setCurrentRow(3);
    WhenModal([&] {
      TDlgInputRegistor& input = *manager.InputRegistor;
      EXPECT_EQ(input.EName->text(), "SP");
      EXPECT_EQ(input.EAddrL->text(), "81");
      EXPECT_EQ(input.EAddrH->text(), "00");
      input.EName->setText("STACK");
      input.BtnOK->click();
    });
    manager.BtnEdit->click();
    EXPECT_EQ(manager.CLBRegistor->item(3)->text(), "STACK     81(L)");
    manager.CLBRegistor->setCurrentRow(4);
    manager.BtnDelete->click();
    EXPECT_EQ(manager.CLBRegistor->count(), 28);
    manager.BtnOK->click();
  });
  win()->ActionRegistorMange->trigger();
  Settle();
  EXPECT_EQ(cpu.Registers[3].GetName(), "STACK");
  EXPECT_EQ(cpu.Registers[4].GetName(), "R0");
  EXPECT_NE(cell("BSTACK03"), nullptr);
}

TEST_F(TWinRegistTest, ReloadingTheDefaultsRebuildsTheWindow) {
  cpu.ClearRegisters();
  prev.ClearRegisters();
  cpu.AddRegister("X", false, true, 0, 0x90);
  prev.AddRegister("X", false, true, 0, 0x90);
  win()->ActionReLoadRegistor->trigger();
  Settle();
  ASSERT_NE(win(), nullptr);
  EXPECT_NE(cell("BACC00"), nullptr);
  EXPECT_EQ(cpu.Registers.size(), 29u);
  EXPECT_EQ(prev.Registers.size(), 29u);
}

TEST_F(TWinRegistTest, ClosingClearsTheSlot) {
  frame.OpenFrame(0)->close();
  Settle();
  EXPECT_EQ(wb->Views.Register, nullptr);
}

} // namespace
