#include "MainFormFixture.h"
#include "ProfileFile.h"
#include "TMainFormActions.h"
#include "TWorkbenchEvents.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QToolBar>

QStringList MainFormTest::MenuBarCaptions() const {
  QStringList captions;
  for (QAction* entry : Form->menuBar()->actions())
    captions << entry->text();
  return captions;
}

namespace {

QStringList EntriesBehindMarker(QMenu* menu) {
  QStringList entries;
  bool behind = false;
  for (QAction* action : menu->actions()) {
    if (behind) entries << action->text();
    if (action->isSeparator() && action->data().toInt() == TMainForm::MarkerTag) behind = true;
  }
  return entries;
}

QAction* MarkerOf(QMenu* menu) {
  for (QAction* action : menu->actions())
    if (action->isSeparator() && action->data().toInt() == TMainForm::MarkerTag) return action;
  return nullptr;
}

const QStringList MainMenus{"文件(&F)", "编译(&C)", "调试(&D)", "工程(&P)",
                            "设置(&S)", "视图(&V)", "窗口(&W)", "帮助(&H)"};

} // namespace

TEST_F(MainFormTest, FirstStartOpensTheRegisterAndDisassemblyWindowsAndNoHistory) {
  Start();
  EXPECT_EQ(Form->windowTitle(), "Corvel仿真开发系统");
  EXPECT_NE(Form->ViewWindow(0), nullptr);
  EXPECT_NE(Form->ViewWindow(3), nullptr);
  for (int kind : {1, 2, 4, 5, 6})
    EXPECT_EQ(Form->ViewWindow(kind), nullptr) << kind;
  EXPECT_EQ(Form->Children().size(), 2);
  EXPECT_TRUE(Form->History().Files.empty());
  QMenu* file = Form->Menu("File");
  emit file->aboutToShow();
  EXPECT_FALSE(MarkerOf(file)->isVisible());
  EXPECT_TRUE(EntriesBehindMarker(file).isEmpty());
  EXPECT_EQ(Form->StatusPanel(2)->text(), "等待状态");
  // The disassembly window, active, merges its own menus after File.
  QStringList frameMenus = MenuBarCaptions();
  frameMenus.removeIf([](const QString& caption) { return !MainMenus.contains(caption); });
  EXPECT_EQ(frameMenus, MainMenus);
  EXPECT_EQ(MenuBarCaptions().front(), "文件(&F)");
}

TEST_F(MainFormTest, EveryActionOfTheTableHasItsCaptionHintAndShortcut) {
  Start();
  for (const TActionRow& row : MainFormActions()) {
    QAction* action = Form->Action(row.Name);
    ASSERT_NE(action, nullptr) << row.Name;
    // The debug commands rewrite this caption with the cursor's address.
    if (std::string_view(row.Name) != "ADebugSetCurPC") {
      EXPECT_EQ(action->text(), QString::fromUtf8(row.Caption)) << row.Name;
    }
    EXPECT_EQ(action->statusTip(), QString::fromUtf8(row.Hint)) << row.Name;
    EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(row.Shortcut))) << row.Name;
  }
  EXPECT_EQ(Form->Action("ADebugStop")->shortcut(), QKeySequence(Qt::Key_Escape));
  EXPECT_EQ(Form->Action("AFileExit")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
  EXPECT_TRUE(Form->Action("ADebugUseInterrupt")->isCheckable());
  EXPECT_FALSE(Form->Action("AViewStack")->isVisible());
  EXPECT_FALSE(Form->Action("AHelpFile")->isVisible());
  EXPECT_EQ(Form->Action("AFileSaveRAM")->data().toInt(), 1);
  EXPECT_EQ(Form->Action("ANothing"), nullptr);
}

TEST_F(MainFormTest, ToolBarHoldsTheCommandsInOrderWithAccessibleNames) {
  Start();
  QStringList names;
  for (QAction* action : Form->MainToolBar()->actions())
    names << (action->isSeparator() ? "-" : action->objectName());
  const QStringList expected{"AFileNew",
                             "AFileOpen",
                             "-",
                             "AProjectOpen",
                             "ACompileLinkLoad",
                             "-",
                             "ACompileLoadModule",
                             "ACompileBrowseModule",
                             "-",
                             "ADebugRun",
                             "ADebugStep",
                             "ADebugStepOver",
                             "ADebugSetClearBreakPoint",
                             "ADebugRunToCursor",
                             "ADebugResetRun",
                             "ADebugStop",
                             "ADebugReset",
                             "-",
                             "AOptionReConnect",
                             "-",
                             "AWindowCascad",
                             "AWindowTitleH",
                             "AWindowTitleV",
                             "-",
                             "AFileExit",
                             "-",
                             ""}; // the gauge's action has no name
  EXPECT_EQ(names, expected);
  QToolBar* bar = Form->MainToolBar();
  EXPECT_EQ(bar->widgetForAction(Form->Action("ADebugRun"))->accessibleName(), "连续运行(G)");
  EXPECT_EQ(bar->widgetForAction(Form->Action("ACompileBrowseModule"))->accessibleName(), "浏览");
  EXPECT_EQ(Form->GaugeCompile()->maximum(), 10);
  EXPECT_FALSE(Form->GaugeCompile()->isVisible()); // no port is open
  EXPECT_TRUE(Form->Action("AOptionReConnect")->isEnabled());
}

TEST_F(MainFormTest, HistoryIsListedNewestFirstBehindTheMarker) {
  Start();
  for (const char* path : {"/lab/a.asm", "/lab/b.asm", "/lab/A.ASM", "/lab/c.prj"})
    Form->AddHistoryFile(path);
  QMenu* file = Form->Menu("File");
  emit file->aboutToShow();
  EXPECT_TRUE(MarkerOf(file)->isVisible());
  EXPECT_EQ(EntriesBehindMarker(file), (QStringList{"/lab/c.prj", "/lab/b.asm", "/lab/a.asm"}));
  emit file->aboutToShow(); // opening again lists them once
  EXPECT_EQ(EntriesBehindMarker(file).size(), 3);
}

TEST_F(MainFormTest, OpenSourceFilesAndTheHistoryComeBackAtTheNextStart) {
  const auto one = Dir.Write("源 文件/one.asm", "");
  const auto two = Dir.Write("two.c", "");
  Start();
  Form->ShowView(1);
  Form->OpenSourceFile(QString::fromStdString(one.string()));
  Form->OpenSourceFile(QString::fromStdString(two.string()));
  Form->OpenSourceFile(QString::fromStdString(one.string())); // brought forward, not opened twice
  EXPECT_EQ(Form->SourceEditors().size(), 2u);
  Finish();

  const ProfileFile profile(ProfileFilePath());
  EXPECT_EQ(profile.ReadInteger("CurrentFile", "CFCount"), 2);
  EXPECT_EQ(profile.ReadString("CurrentFile", "CF0"), one.string());
  EXPECT_EQ(profile.ReadString("CurrentFile", "CF1"), two.string());
  EXPECT_EQ(profile.ReadInteger("HistoryFile", "HFCount"), 2);

  Start();
  ASSERT_EQ(Form->SourceEditors().size(), 2u);
  EXPECT_EQ(Form->SourceEditors()[0]->FileName().toStdString(), one.string());
  EXPECT_EQ(Form->SourceEditors()[1]->FileName().toStdString(), two.string());
  EXPECT_EQ(Form->History().Files.size(), 2u);
  // The memory window was open at exit, so it opens again with the other two.
  EXPECT_NE(Form->ViewWindow(1), nullptr);
  EXPECT_NE(Form->ViewWindow(0), nullptr);
  EXPECT_NE(Form->ViewWindow(3), nullptr);
}

TEST_F(MainFormTest, AnEditorThatIsNotAllowedToCloseKeepsTheProgramOpen) {
  Start();
  Form->Action("AFileNew")->trigger();
  ASSERT_EQ(Form->SourceEditors().size(), 1u);
  auto* editor = dynamic_cast<StandInEditor*>(Form->SourceEditors()[0]);
  EXPECT_TRUE(editor->Name.endsWith("/Untitled.asm"));
  EXPECT_FALSE(editor->Modified);
  editor->AgreesToClose = false;
  EXPECT_FALSE(Form->close());
  editor->AgreesToClose = true;
  EXPECT_TRUE(Form->close());
}

TEST_F(MainFormTest, TheActiveChildsMenusMergeBetweenFileAndCompile) {
  Start();
  Form->Action("AFileNew")->trigger();
  QApplication::processEvents();
  QStringList withEditor = MainMenus;
  withEditor.insert(1, "编辑(&E)");
  EXPECT_EQ(MenuBarCaptions(), withEditor);
  // The editor's File menu stands in for the frame's own.
  auto* editor = dynamic_cast<StandInEditor*>(Form->SourceEditors()[0]);
  EXPECT_EQ(Form->menuBar()->actions()[0], editor->FileMenuOfEditor->menuAction());
  Form->AddHistoryFile("/lab/x.asm");
  Form->F1Click(editor->FileMenuOfEditor);
  // A new file's name is in the history too.
  EXPECT_EQ(EntriesBehindMarker(editor->FileMenuOfEditor),
            (QStringList{"/lab/x.asm", editor->FileName()}));

  // A view has no File menu of its own: the frame's comes back.
  Form->ShowView(0);
  QApplication::processEvents();
  EXPECT_EQ(Form->menuBar()->actions()[0], Form->Menu("File")->menuAction());
}

TEST_F(MainFormTest, TheWindowMenuListsEveryChildAndBringsItForward) {
  Start();
  Form->ShowView(5);
  QMenu* window = Form->Menu("Window");
  emit window->aboutToShow();
  EXPECT_EQ(EntriesBehindMarker(window), (QStringList{"寄存器 (Corvel)", "反汇编调试", "变量"}));
  QList<QAction*> actions = window->actions();
  actions.last()->trigger();
  EXPECT_EQ(Form->MdiArea()->activeSubWindow(), Form->ViewWindow(5));
  actions[actions.size() - 3]->trigger();
  EXPECT_EQ(Form->MdiArea()->activeSubWindow(), Form->ViewWindow(0));
  Form->Action("AWindowCloseAll")->trigger();
  EXPECT_TRUE(Form->Children().isEmpty());
  Form->RunUpdateHandlers();
  EXPECT_FALSE(Form->Action("AWindowCascad")->isEnabled());
  EXPECT_FALSE(Form->Action("AFileClose")->isEnabled());
  EXPECT_FALSE(Form->Action("AViewRegist")->isChecked());
  emit window->aboutToShow();
  EXPECT_FALSE(MarkerOf(window)->isVisible());
}

TEST_F(MainFormTest, ViewsTakeTheirBoundsFromTheSettingsAndKeepThemThere) {
  Start();
  WB->Option.VariableBounds = TBounds{10, 20, 300, 150};
  Form->Action("AViewVariable")->trigger();
  QMdiSubWindow* variable = Form->ViewWindow(5);
  EXPECT_EQ(variable->geometry(), QRect(10, 20, 300, 150));
  variable->setGeometry(30, 40, 200, 100);
  EXPECT_EQ(WB->Option.VariableBounds, (TBounds{30, 40, 200, 100}));
  variable->showMaximized();
  EXPECT_EQ(WB->Option.VariableBounds, (TBounds{30, 40, 200, 100}));
  Form->RunUpdateHandlers();
  EXPECT_TRUE(Form->Action("AViewVariable")->isChecked());
}

TEST_F(MainFormTest, RunStateShowsInThePanelAndTheUpdateHandlersRunAtOnce) {
  Start();
  int updates = 0;
  Form->AddUpdateHandler([&] { ++updates; });
  UI.RunningChanged(true);
  EXPECT_EQ(Form->StatusPanel(2)->text(), "正在运行...");
  EXPECT_EQ(updates, 1);
  WB->SetAutoStepping(true);
  EXPECT_EQ(updates, 2);
  UI.RunningChanged(false);
  EXPECT_EQ(Form->StatusPanel(2)->text(), "等待状态");
  WB->SetAutoStepping(false);
}

TEST_F(MainFormTest, NoRunStartsInsideARunButStopStaysUsable) {
  Start();
  WB->CPU.SetRunning(true);
  for (const char* name : {"ADebugRun", "ADebugStep", "ADebugRunToAddress", "ADebugAutoStep"})
    EXPECT_FALSE(Form->Action(name)->isEnabled()) << name;
  for (const char* name : {"ADebugStop", "ADebugHalt", "ADebugUseInterrupt"})
    EXPECT_TRUE(Form->Action(name)->isEnabled()) << name;
  WB->CPU.SetRunning(false);
  EXPECT_TRUE(Form->Action("ADebugRun")->isEnabled());
}

TEST_F(MainFormTest, AnExperimentEntrySetsThePCWithoutRunning) {
  Start();
  const auto submenu = [this](const char* name) -> QMenu* {
    for (QAction* entry : Form->Menu("Debug")->actions())
      if (entry->menu() && entry->menu()->objectName() == name) return entry->menu();
    return nullptr;
  };
  QMenu* hard = submenu("SetPCHardTest");
  ASSERT_NE(hard, nullptr);
  EXPECT_FALSE(hard->menuAction()->isVisible());
  ASSERT_EQ(hard->actions().size(), 16);
  EXPECT_EQ(hard->actions()[8]->text(), "实验九 A/D转换\t");
  hard->actions()[8]->trigger();
  EXPECT_EQ(WB->CPU.PC, 0x05A0);
  EXPECT_FALSE(WB->CPU.Running);
  EXPECT_EQ(submenu("SetPCSoftTest")->actions().size(), 10);
}

TEST_F(MainFormTest, AMissingOscilloscopeProgramIsNamedInAMessage) {
  Start();
  MessageBoxCatcher boxes;
  Form->Action("AHelpAboutCompile")->trigger();
  ASSERT_TRUE(WaitFor([&] { return !boxes.Texts.isEmpty(); }, 5000));
  EXPECT_EQ(boxes.Texts[0],
            "不能打开文件：" + QString::fromStdString((Dir.Path / "start" / "Oscilla").string()));
}

TEST_F(MainFormTest, TheRegisterWindowsRequestRebuildsIt) {
  Start();
  QMdiSubWindow* old = Form->ViewWindow(0);
  old->close();
  ASSERT_EQ(Form->ViewWindow(0), nullptr);
  QApplication::postEvent(Form.get(), new QEvent(WorkbenchEvents::RecreateRegistWindow));
  QApplication::processEvents();
  EXPECT_NE(Form->ViewWindow(0), nullptr);
  EXPECT_NE(Form->ViewWindow(0), old);
}
