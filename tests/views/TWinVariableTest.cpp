#include "TWinVariable.h"
#include "TViewWindows.h"
#include "TWinMemory.h"
#include "TWinStack.h"
#include "TestFrame.h"
#include "ViewsFixture.h"
#include "WindowPictures.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

struct TWinVariableTest : ViewsFixture {
  TViewContext context{*wb, {}, {}, {}};
  TestFrame frame;
  TViewWindows views{frame, context, &frame};
  std::vector<std::optional<QString>> names;

  TWinVariableTest() {
    auto module = std::make_unique<TDefModuleInfo>();
    module->Name = "MAIN";
    module->Widen(0, 0xFF);
    TSymbolRec count;
    count.Name = "count";
    count.Region = 2;
    count.Addr = 0x30;
    count.Type = 4;
    module->Symbols.push_back(count);
    wb->DebugInfo.Modules.push_back(std::move(module));
    cpu.IRam[0x31] = 5;
    frame.show();
  }
  TWinVariable* win() const { return frame.OpenView<TWinVariable>(5); }
  void Answer(std::optional<QString> name) {
    win()->AskName = [name] { return name; };
  }
  QStringList Lines() const {
    QStringList lines;
    for (int i = 0; i < win()->LBVariabl->count(); ++i)
      lines << win()->LBVariabl->item(i)->text();
    return lines;
  }
};

TEST_F(TWinVariableTest, AddListsTheNewWatchAndReloadingReadsItAgain) {
  frame.ShowView(5);
  Answer(QStringLiteral("count"));
  win()->findChild<QAction*>("ActionAdd")->trigger();
  EXPECT_EQ(win()->windowTitle(), QStringLiteral("变量"));
  EXPECT_EQ(Lines(), QStringList{"count: data, Int::5, 0005H"});
  Answer(QStringLiteral("missing"));
  win()->ActionAdd->trigger();
  Answer(std::nullopt);
  win()->ActionAdd->trigger();
  EXPECT_EQ(Lines(), (QStringList{"count: data, Int::5, 0005H", "missing: not definition"}));
  wb->TakeSnapshot();
  cpu.IRam[0x31] = 6;
  wb->Refresh();
  EXPECT_EQ(Lines().front(), "count: data, Int::6, 0006H");
  SavePicture(frame, "variable");
}

TEST_F(TWinVariableTest, ActionsAreEnabledByTheListAndItsSelection) {
  frame.ShowView(5);
  EXPECT_TRUE(win()->ActionAdd->isEnabled());
  EXPECT_FALSE(win()->ActionDelete->isEnabled());
  EXPECT_FALSE(win()->ActionClear->isEnabled());
  EXPECT_FALSE(win()->ActionReload->isEnabled());
  for (const char* name : {"count", "x", "count"}) {
    win()->Watches().Add(name);
  }
  win()->BuildList();
  EXPECT_TRUE(win()->ActionClear->isEnabled());
  win()->LBVariabl->setCurrentRow(2);
  EXPECT_TRUE(win()->ActionDelete->isEnabled());
  win()->ActionDelete->trigger();
  EXPECT_EQ(win()->Watches().Watches, (std::vector<std::string>{"count", "x"}));
  win()->ActionClear->trigger();
  EXPECT_TRUE(Lines().isEmpty());
  const QStringList expected = {"增加(&A)", "删除(&D)", "清除(&C)", "", "刷新(&R)"};
  for (QMenu* menu : {win()->MergedMenus().front(), win()->ContextMenu()})
    EXPECT_EQ(MenuTexts(menu), expected);
}

TEST_F(TWinVariableTest, ClosingForgetsTheWatches) {
  frame.ShowView(5);
  win()->Watches().Add("count");
  frame.OpenFrame(5)->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(wb->Views.Variable, nullptr);
  frame.ShowView(5);
  EXPECT_TRUE(win()->Watches().Watches.empty());
}

TEST_F(TWinVariableTest, TheStackWindowIsEmptyWithItsCaption) {
  frame.ShowView(4);
  auto* stack = frame.OpenView<TWinStack>(4);
  ASSERT_NE(stack, nullptr);
  EXPECT_EQ(stack->windowTitle(), QStringLiteral("堆栈"));
  EXPECT_EQ(wb->Views.Stack, stack);
  wb->Refresh();
  SavePicture(frame, "stack");
}

TEST_F(TWinVariableTest, FactoriesMakeBothMemoryWindowsWithTheirTags) {
  frame.ShowView(1);
  frame.ShowView(2);
  auto* one = frame.OpenView<TWinMemory>(1);
  auto* two = frame.OpenView<TWinMemory>(2);
  ASSERT_TRUE(one && two);
  EXPECT_EQ(one->Tag(), 1);
  EXPECT_EQ(two->Tag(), 2);
  EXPECT_EQ(wb->Views.Memory1, one);
  EXPECT_EQ(wb->Views.Memory2, two);
  frame.OpenFrame(2)->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(wb->Views.Memory2, nullptr);
  EXPECT_EQ(wb->Views.Memory1, one);
}

} // namespace
