#include "TDebugActions.h"
#include "TActionHost.h"
#include "TDlgBrowseBreakPoint.h"
#include "TWinDebug.h"
#include "TwoModuleProgram.h"
#include "Workbench.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// The frame as the debug actions meet it: actions by name, update handlers, view factories.
class FakeHost : public TActionHost {
public:
  QAction* Action(const QString& name) const override {
    auto& action = Actions[name];
    if (!action) {
      action = std::make_unique<QAction>(name);
      action->setCheckable(name == "ADebugUseInterrupt");
    }
    return action.get();
  }
  void AddUpdateHandler(std::function<void()> handler) override {
    Updates.push_back(std::move(handler));
  }
  void SetViewFactory(int kind, std::function<QWidget*()> factory) override {
    Factories[kind] = std::move(factory);
  }
  QWidget* ShowView(int kind) override {
    Shown = Factories.at(kind)();
    Shown->show();
    return Shown;
  }
  void SetStatusText(int, const QString&) override {}
  void SetEditorFactory(std::function<TSourceEditor*()>) override {}
  void OpenSourceFile(const QString&) override {}
  void AddHistoryFile(const QString&) override {}
  void F1Click(QMenu*) override {}
  void SetModuleLoader(std::function<void(const QString&)>) override {}
  void Update() {
    for (auto& handler : Updates)
      handler();
  }

  mutable std::map<QString, std::unique_ptr<QAction>> Actions;
  std::vector<std::function<void()>> Updates;
  std::map<int, std::function<QWidget*()>> Factories;
  QWidget* Shown = nullptr;
};

class AddressUI : public SilentUserInterface {
public:
  std::optional<uint16_t> AskAddress(uint16_t, bool) override { return Answer; }
  void PumpEvents() override { QApplication::processEvents(); }
  std::optional<uint16_t> Answer;
};

class TDebugActionsTest : public ::testing::Test {
protected:
  TDebugActionsTest() {
    EXPECT_EQ(WB->DebugInfo.LoadFile(WriteTwoModuleProgram(Dir)), 0);
    WB->Option.DebugBounds = {0, 0, 520, 300};
  }
  QAction* Action(const char* name) { return Host.Action(name); }
  TWinDebug* OpenWindow() {
    Host.ShowView(3);
    Window.reset(static_cast<TWinDebug*>(Host.Shown));
    QApplication::processEvents();
    return Window.get();
  }
  // Runs the dialog with a script that clicks while it is shown.
  void WhileShown(std::function<void(TDlgBrowseBreakPoint&)> script) {
    QTimer::singleShot(0, [this, script] { script(*Actions.DlgBrowseBreakPoint); });
  }

  TempDir Dir;
  AddressUI UI;
  std::unique_ptr<Workbench> WB = std::make_unique<Workbench>(UI, Dir.Path);
  FakeHost Host;
  TDebugActions Actions{
      Host, TViewContext{*WB, [this](const QString& n) { return Host.Action(n); }, {}, {}},
      nullptr};
  std::unique_ptr<TWinDebug> Window;
};

} // namespace

TEST_F(TDebugActionsTest, TheCursorRuleAndThePCToCursorCaptionFollowTheWindow) {
  Host.Update();
  EXPECT_FALSE(Action("ADebugRunToCursor")->isEnabled());
  EXPECT_EQ(Action("ADebugSetCurPC")->text(), "PC = 当前地址");
  EXPECT_FALSE(Action("ADebugClearAllBreakPoint")->isEnabled());
  EXPECT_FALSE(Action("ADebugStop")->isEnabled());
  EXPECT_TRUE(Action("ADebugUseInterrupt")->isChecked()); // C modules were loaded
  TWinDebug* window = OpenWindow();
  Host.Update();
  EXPECT_EQ(Action("ADebugSetCurPC")->text(), "PC = 0000H");
  window->ShowAddress(0x0123);
  Host.Update();
  EXPECT_EQ(Action("ADebugSetCurPC")->text(), "PC = 0123H");
  Action("ADebugSetCurPC")->trigger();
  EXPECT_EQ(WB->CPU.PC, 0x0123);
  Action("ADebugSetClearBreakPoint")->trigger();
  Action("ADebugSetClearBreakPoint")->trigger();
  EXPECT_TRUE(WB->BreakPoints.Empty());
  Action("ADebugSetClearBreakPoint")->trigger();
  Host.Update();
  EXPECT_TRUE(Action("ADebugClearAllBreakPoint")->isEnabled());
  Action("ADebugClearAllBreakPoint")->trigger();
  EXPECT_TRUE(WB->BreakPoints.Empty());
  // The source view of C modules offers step over; the check item follows the user.
  window->SetMode(0);
  Host.Update();
  EXPECT_TRUE(Action("ADebugStepOver")->isEnabled());
  Action("ADebugUseInterrupt")->trigger();
  EXPECT_FALSE(WB->UseInterrupt);
}

TEST_F(TDebugActionsTest, StepsAndRunsGoThroughTheCommandsAndRepaintTheWindow) {
  TWinDebug* window = OpenWindow();
  window->SetMode(0);
  WB->CPU.PC = 0x0100;
  Action("ADebugStep")->trigger(); // a line step
  EXPECT_EQ(WB->CPU.PC, 0x0103);
  Action("ADebugStepOver")->trigger();
  EXPECT_EQ(WB->CPU.PC, 0x0106);
  EXPECT_EQ(window->Rows().Rows[5].RowAddr, 0x0106);
  // A run that only Stop ends.
  int pumps = 0;
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    if (++pumps == 2) Action("ADebugStop")->trigger();
  });
  stopper.start(1);
  WB->CPU.PC = 0x0109;
  Action("ADebugRun")->trigger();
  EXPECT_EQ(WB->CPU.PC, 0x0109);
  EXPECT_FALSE(WB->CPU.Running);
}

TEST_F(TDebugActionsTest, TheBrowserListsEditsAndHandsBackOnlyOnOK) {
  for (int32_t address : {0x0103, 0x0050, 0x0202})
    WB->BreakPoints.Add(address);
  TDlgBrowseBreakPoint& dialog = *Actions.DlgBrowseBreakPoint;
  std::vector<QStringList> shown;
  WhileShown([&](TDlgBrowseBreakPoint& d) {
    for (int row = 0; row < d.SGBreakPoint->rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < 3; ++column)
        cells << (d.SGBreakPoint->item(row, column) ? d.SGBreakPoint->item(row, column)->text()
                                                    : QString());
      shown.push_back(cells);
    }
    EXPECT_EQ(d.LBreakNum->text(), "3");
    d.SGBreakPoint->selectRow(1);
    d.BtnDelete->click();
    UI.Answer = 0x0204;
    d.BtnAdd->click();
    d.BtnCancel->click();
  });
  Action("ADebugBrowseBreakPoint")->trigger();
  EXPECT_EQ(shown, (std::vector<QStringList>{
                       {"MAIN", "0103", "5"}, {"", "0050", "0"}, {"", "0202", "0"}}));
  EXPECT_EQ(dialog.List().Values(), (std::vector<int32_t>{0x0103, 0x0202, 0x0204}));
  EXPECT_EQ(WB->BreakPoints.Values(), (std::vector<int32_t>{0x0103, 0x0050, 0x0202}));

  WhileShown([](TDlgBrowseBreakPoint& d) {
    d.BtnDelete->click(); // the first row
    d.BtnOK->click();
  });
  Action("ADebugBrowseBreakPoint")->trigger();
  EXPECT_EQ(WB->BreakPoints.Values(), (std::vector<int32_t>{0x0050, 0x0202}));

  WhileShown([](TDlgBrowseBreakPoint& d) {
    d.BtnClear->click();
    EXPECT_EQ(d.SGBreakPoint->rowCount(), 1);
    EXPECT_EQ(d.LBreakNum->text(), "0");
    d.BtnDelete->click(); // nothing to delete
    d.BtnOK->click();
  });
  Action("ADebugBrowseBreakPoint")->trigger();
  EXPECT_TRUE(WB->BreakPoints.Empty());
}
