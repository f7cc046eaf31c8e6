#include "../../image/RecordingUI.h"
#include "../../platform/TempDir.h"
#include "TCompileActions.h"
#include "TSourceTextEdit.h"
#include "TWinCompileLinkMsg.h"
#include "TWinSourceFile.h"
#include "TestFrame.h"
#include "TextEncoding.h"
#include "UiHelpers.h"
#include "Workbench.h"

#include <QListWidget>
#include <QTextBlock>

#include <fstream>

#include <gtest/gtest.h>

namespace {

// Stands in for the disassembly window: remembers how the build left it.
class FakeDisassembly : public QWidget, public DisassemblyView {
public:
  explicit FakeDisassembly(ViewSet& views) : Slot(views.Disassembly, this) {}
  int Mode() const override { return CurrentMode; }
  void SetMode(int mode) override { CurrentMode = mode; }
  const TDefModuleInfo* CurModule() const override { return Module; }
  void SetCurModule(const TDefModuleInfo* module) override { Module = module; }
  int32_t CursorAddress() const override { return -1; }
  void ShowAddress(uint16_t) override {}
  void ToggleBreakpointAtCursor() override {}
  void RepaintGutter() override {}
  void RepaintCodePane() override {}
  void ResetView() override {}
  void LoadFromTarget() override {}

  int CurrentMode = 2;
  const TDefModuleInfo* Module = nullptr;

private:
  ViewSlot<DisassemblyView> Slot;
};

constexpr const char* SourceWithError = "; 延时子程序：R7 次\r\n"
                                        "        CSEG    AT 0\r\n"
                                        "START:  MOVE    A,#1       ; 错误的指令\r\n"
                                        "        SJMP    START\r\n"
                                        "        END\r\n";

class CompileActionsTest : public ::testing::Test {
protected:
  CompileActionsTest() {
    WB.Option.BINPath = TOOLCHAIN_DIR;
    Frame.SetViewFactory(3, [this] { return new FakeDisassembly(WB.Views); });
    Frame.show();
  }
  ~CompileActionsTest() override { std::filesystem::current_path(SavedCwd); }

  TWinSourceFile* ActiveEditor() {
    QMdiSubWindow* active = Frame.Mdi->activeSubWindow();
    return active ? qobject_cast<TWinSourceFile*>(active->widget()) : nullptr;
  }
  TWinCompileLinkMsg* Messages() { return dynamic_cast<TWinCompileLinkMsg*>(WB.Views.Messages); }
  void Save(QWidget* widget, const char* name) {
    const QString path = QCoreApplication::applicationDirPath() + "/" + name;
    EXPECT_TRUE(widget->grab().save(path)) << path.toStdString();
  }

  std::filesystem::path SavedCwd = std::filesystem::current_path();
  TempDir Dir;
  RecordingUI UI;
  Workbench WB{UI, Dir.Path};
  TestFrame Frame;
  TCompileActions Actions{Frame, Frame, WB};
};

TEST_F(CompileActionsTest, FailedBuildLeadsToTheLineThenTheFixedBuildLoadsTheProgram) {
  const auto path = Dir.Write("demo.asm", Utf8ToGbk(SourceWithError));
  const QString name = QString::fromStdString(path.string());
  Frame.OpenSourceFile(name);
  TWinSourceFile* editor = ActiveEditor();
  ASSERT_NE(editor, nullptr);
  Frame.RunUpdates();
  QAction* linkLoad = Frame.Action("ACompileLinkLoad");
  EXPECT_TRUE(linkLoad->isEnabled());
  EXPECT_EQ(linkLoad->text(), QStringLiteral("文件编译、连接、装载"));

  Frame.setWindowTitle("Frame");
  linkLoad->trigger();
  EXPECT_EQ(Frame.windowTitle(), QStringLiteral("Frame"));
  EXPECT_EQ(UI.Messages, std::vector<std::string>{"编译连接产生错误，不能装载"});
  TWinCompileLinkMsg* messages = Messages();
  ASSERT_NE(messages, nullptr);
  EXPECT_EQ(messages->windowTitle(), name + QStringLiteral(" : 编译结果"));
  ASSERT_EQ(messages->ListBox->count(), 2);
  EXPECT_TRUE(messages->ListBox->item(0)->text().startsWith(name + " :ERROR IN (LINE 3), "))
      << messages->ListBox->item(0)->text().toStdString();
  EXPECT_EQ(editor->Editor->MarkedLines(), QSet<int>{3});
  messages->resize(720, 160);
  Save(messages, "compile-messages.png");

  messages->ListBox->setCurrentRow(0);
  messages->AEditToSource->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(ActiveEditor(), editor);
  EXPECT_TRUE(editor->Editor->textCursor().selectedText().startsWith("START:  MOVE"));
  // The counts line opens nothing.
  messages->ListBox->setCurrentRow(1);
  messages->AEditToSource->trigger();
  EXPECT_EQ(ActiveEditor(), editor);

  editor->Editor->insertPlainText(QStringLiteral("START:  MOV     A,#1       ; 改正"));
  UI.Messages.clear();
  BoxAnswers boxes({QMessageBox::Yes});
  linkLoad->trigger();
  EXPECT_EQ(boxes.Texts, std::vector<std::string>{"文件(" + path.string() + ")已修改，要保存吗？"});
  EXPECT_EQ(UI.Messages, std::vector<std::string>{"编译、连接成功"});
  EXPECT_EQ(messages->ListBox->item(2)->text(),
            QStringLiteral("LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)"));
  EXPECT_TRUE(editor->Editor->MarkedLines().isEmpty());
  auto* disassembly = dynamic_cast<FakeDisassembly*>(WB.Views.Disassembly);
  ASSERT_NE(disassembly, nullptr);
  EXPECT_EQ(disassembly->CurrentMode, 0);
  ASSERT_NE(disassembly->Module, nullptr);
  EXPECT_EQ(disassembly->Module->SourceLines.at(2), "START:  MOV     A,#1       ; 改正");
  EXPECT_EQ(WB.CPU.Code[0], 0x74);

  // The linker's summary opens the map.
  messages->ListBox->setCurrentRow(2);
  messages->AEditToSource->trigger();
  ASSERT_NE(ActiveEditor(), nullptr);
  EXPECT_TRUE(ActiveEditor()->FileName().endsWith("demo.M51", Qt::CaseInsensitive));
}

TEST_F(CompileActionsTest, RuleBFollowsTheActiveChild) {
  Frame.RunUpdates();
  EXPECT_FALSE(Frame.Action("ACompileLink")->isEnabled());
  EXPECT_FALSE(Frame.Action("ACompileBrowseModule")->isEnabled());
  Frame.OpenSourceFile(QString::fromStdString(Dir.Write("a.asm", "NOP\n").string()));
  Frame.RunUpdates();
  EXPECT_TRUE(Frame.Action("ACompileLink")->isEnabled());
  EXPECT_EQ(Frame.Action("ACompileLink")->text(), QStringLiteral("文件编译、连接"));
  Frame.ShowView(6);
  Frame.RunUpdates();
  EXPECT_FALSE(Frame.Action("ACompileLink")->isEnabled());
}

TEST_F(CompileActionsTest, MessageWithABadLineNumberSaysSoAndOpensNothing) {
  Frame.ShowView(6);
  TWinCompileLinkMsg* messages = Messages();
  ASSERT_NE(messages, nullptr);
  messages->SetMessages({"/lab/x.asm :ERROR IN (LINE x), bad"});
  messages->ListBox->setCurrentRow(0);
  BoxAnswers boxes({QMessageBox::Ok});
  messages->AEditToSource->trigger();
  EXPECT_EQ(boxes.Texts, std::vector<std::string>{"' x' is not a valid integer value"});
  EXPECT_EQ(Frame.Mdi->subWindowList().size(), 1);
}

TEST_F(CompileActionsTest, EditorWithGbkChineseCommentsRenders) {
  const auto path =
      Dir.Write("delay.asm", Utf8ToGbk("; 延时子程序：入口 R7 = 毫秒数\r\n"
                                       "        CSEG    AT 0\r\n"
                                       "DELAY:  MOV     R6,#250      ; 内循环 250 次\r\n"
                                       "LOOP:   DJNZ    R6,LOOP\r\n"
                                       "        DJNZ    R7,DELAY     ; 外循环\r\n"
                                       "        RET\r\n"
                                       "MSG:    DB      'OK',0\r\n"
                                       "        END\r\n"));
  Frame.OpenSourceFile(QString::fromStdString(path.string()));
  TWinSourceFile* editor = ActiveEditor();
  ASSERT_NE(editor, nullptr);
  editor->SetMarkedLines({4});
  editor->resize(640, 260);
  Save(editor, "source-editor.png");
}

} // namespace
