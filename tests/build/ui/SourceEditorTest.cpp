#include "../../image/RecordingUI.h"
#include "../../platform/TempDir.h"
#include "TDlgFindText.h"
#include "TDlgInputLine.h"
#include "TSourceTextEdit.h"
#include "TWinSourceFile.h"
#include "TWorkbenchEvents.h"
#include "TestFrame.h"
#include "TextEncoding.h"
#include "UiHelpers.h"
#include "Workbench.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>

#include <fstream>

#include <gtest/gtest.h>

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SourceEditorTest : public ::testing::Test {
protected:
  TWinSourceFile* Open(const std::filesystem::path& path) {
    auto* editor = new TWinSourceFile(Frame, WB.Option, FindDialog, LineDialog);
    EXPECT_TRUE(editor->LoadFile(QString::fromStdString(path.string())));
    Frame.Mdi->addSubWindow(editor)->show();
    return editor;
  }
  QString SelectedText(TWinSourceFile* editor) {
    return editor->Editor->textCursor().selectedText();
  }

  TempDir Dir;
  RecordingUI UI;
  Workbench WB{UI, Dir.Path};
  TestFrame Frame;
  TDlgFindText FindDialog;
  TDlgInputLine LineDialog;
};

TEST_F(SourceEditorTest, GbkFileIsEditedAndSavedAsGbkWithItsLineEnds) {
  const auto path = Dir.Write("demo.asm", Utf8ToGbk("; 延时程序\r\n        NOP\r\n"));
  TWinSourceFile* editor = Open(path);
  EXPECT_EQ(editor->windowTitle().toStdString(), path.string());
  EXPECT_EQ(Frame.History.back().toStdString(), path.string());
  EXPECT_EQ(editor->Editor->toPlainText(), QStringLiteral("; 延时程序\n        NOP\n"));
  EXPECT_FALSE(editor->AFileSave->isEnabled());
  editor->Editor->moveCursor(QTextCursor::End);
  QTest::keyClicks(editor->Editor, "; ");
  editor->Editor->insertPlainText(QStringLiteral("完"));
  EXPECT_EQ(Frame.Status[1], QStringLiteral("已修改"));
  EXPECT_TRUE(editor->AFileSave->isEnabled());
  editor->AFileSave->trigger();
  EXPECT_EQ(Frame.Status[1], QString());
  EXPECT_EQ(ReadFile(path), Utf8ToGbk("; 延时程序\r\n        NOP\r\n; 完"));
}

TEST_F(SourceEditorTest, CaretPositionIsShownOneBased) {
  TWinSourceFile* editor = Open(Dir.Write("a.asm", "NOP\nMOV A,#1\n"));
  editor->GoToLine(2);
  EXPECT_EQ(SelectedText(editor), QStringLiteral("MOV A,#1"));
  EXPECT_EQ(Frame.Status[0], QStringLiteral("行:  2，列:  1"));
  editor->Editor->moveCursor(QTextCursor::EndOfLine);
  EXPECT_EQ(Frame.Status[0], QStringLiteral("行:  2，列:  9"));
}

TEST_F(SourceEditorTest, FindNextWalksThroughTheMatchesAndStopsAtTheLast) {
  TWinSourceFile* editor = Open(Dir.Write("a.asm", "mov A,#1\nMOV B,#2\nMOVX @DPTR,A\n"));
  FindDialog.FindText->setText("mov");
  editor->Editor->moveCursor(QTextCursor::Start);
  std::vector<int> found;
  for (int i = 0; i < 4; ++i) {
    editor->ASearchFindNext->trigger();
    found.push_back(editor->Editor->textCursor().selectionStart());
  }
  EXPECT_EQ(found, (std::vector<int>{0, 9, 18, 18}));
  FindDialog.CBWholeWord->setChecked(true);
  editor->Editor->moveCursor(QTextCursor::Start);
  editor->ASearchFindNext->trigger();
  editor->ASearchFindNext->trigger();
  editor->ASearchFindNext->trigger();
  EXPECT_EQ(editor->Editor->textCursor().selectionStart(), 9);
  FindDialog.CBMatchCase->setChecked(true);
  editor->Editor->moveCursor(QTextCursor::Start);
  FindDialog.FindText->setText("MOV");
  editor->ASearchFindNext->trigger();
  EXPECT_EQ(editor->Editor->textCursor().selectionStart(), 9);
  FindDialog.CBWholeWord->setChecked(false);
  FindDialog.CBMatchCase->setChecked(false);
}

TEST_F(SourceEditorTest, GoToLineDialogKeepsTheLastLineAndRequestsArePosted) {
  TWinSourceFile* editor = Open(Dir.Write("a.asm", "ONE\nTWO\nTHREE\n"));
  CloseNextDialog(true);
  LineDialog.EInputLine->setValue(3);
  editor->ASearchGoToLine->trigger();
  EXPECT_EQ(SelectedText(editor), QStringLiteral("THREE"));
  EXPECT_EQ(LineDialog.Position(), 3);
  QCoreApplication::postEvent(editor, new TGoToLineRequest(1));
  QCoreApplication::processEvents();
  EXPECT_EQ(SelectedText(editor), QStringLiteral("ONE"));
  editor->GoToLine(99);
  EXPECT_EQ(editor->Editor->textCursor().blockNumber(), 3);
}

TEST_F(SourceEditorTest, UntitledFileIsSavedUnderANewName) {
  auto* editor = new TWinSourceFile(Frame, WB.Option, FindDialog, LineDialog);
  Frame.Mdi->addSubWindow(editor)->show();
  editor->SetFileName(QString::fromStdString((Dir.Path / "Untitled.asm").string()));
  editor->SetModified(false);
  QTest::keyClicks(editor->Editor, "NOP");
  const auto target = Dir.Write("taken.asm", "old");
  editor->ChooseSaveName = [&] { return QString::fromStdString(target.string()); };
  {
    BoxAnswers boxes({QMessageBox::No});
    editor->AFileSave->trigger();
    EXPECT_EQ(boxes.Texts,
              std::vector<std::string>{"文件已存在，要覆盖(" + target.string() + ")吗？"});
  }
  EXPECT_EQ(ReadFile(target), "old");
  BoxAnswers boxes({QMessageBox::Yes});
  editor->AFileSave->trigger();
  EXPECT_EQ(ReadFile(target), "NOP");
  EXPECT_EQ(editor->FileName().toStdString(), target.string());
  EXPECT_FALSE(editor->Editor->document()->isModified());
}

TEST_F(SourceEditorTest, CheckModifiedAsksAndCancelStopsTheCaller) {
  const auto path = Dir.Write("a.asm", "NOP\n");
  TWinSourceFile* editor = Open(path);
  EXPECT_TRUE(editor->CheckModified());
  QTest::keyClicks(editor->Editor, "X");
  {
    BoxAnswers boxes({QMessageBox::Cancel});
    EXPECT_FALSE(editor->CheckModified());
    EXPECT_EQ(boxes.Texts,
              std::vector<std::string>{"文件(" + path.string() + ")已修改，要保存吗？"});
  }
  {
    BoxAnswers boxes({QMessageBox::No});
    EXPECT_TRUE(editor->CheckModified());
  }
  EXPECT_EQ(ReadFile(path), "NOP\n");
  BoxAnswers boxes({QMessageBox::Yes});
  EXPECT_TRUE(editor->CheckModified());
  EXPECT_EQ(ReadFile(path), "XNOP\n");
}

TEST_F(SourceEditorTest, FailedSaveKeepsTheTextAndTheModifiedMark) {
  const auto path = Dir.Write("sub/a.asm", "NOP\n");
  TWinSourceFile* editor = Open(path);
  QTest::keyClicks(editor->Editor, "X");
  std::filesystem::remove_all(Dir.Path / "sub");
  // The folder went away: overwriting what is (not) there is asked first.
  BoxAnswers boxes({QMessageBox::Yes, QMessageBox::Ok});
  editor->AFileSave->trigger();
  ASSERT_EQ(boxes.Texts.size(), 2u);
  EXPECT_EQ(boxes.Texts[1].rfind("无法写入文件：" + path.string(), 0), 0u) << boxes.Texts[1];
  EXPECT_EQ(editor->Editor->toPlainText(), QStringLiteral("XNOP\n"));
  EXPECT_TRUE(editor->Editor->document()->isModified());
  EXPECT_EQ(Frame.Status[1], QStringLiteral("已修改"));
}

TEST_F(SourceEditorTest, TextGbkCannotHoldIsSavedAsUtf8OnlyAfterAsking) {
  const auto path = Dir.Write("a.asm", Utf8ToGbk("; 注释\n"));
  TWinSourceFile* editor = Open(path);
  editor->Editor->moveCursor(QTextCursor::End);
  editor->Editor->insertPlainText(QStringLiteral("; ☃\n"));
  {
    BoxAnswers boxes({QMessageBox::No});
    editor->AFileSave->trigger();
    EXPECT_EQ(boxes.Texts.size(), 1u);
  }
  EXPECT_EQ(ReadFile(path), Utf8ToGbk("; 注释\n"));
  BoxAnswers boxes({QMessageBox::Yes});
  editor->AFileSave->trigger();
  EXPECT_EQ(ReadFile(path), "; 注释\n; ☃\n");
}

TEST_F(SourceEditorTest, FileChangedOnDiskIsReloadedWhenTheUserAgrees) {
  const auto path = Dir.Write("a.asm", "NOP\n");
  TWinSourceFile* editor = Open(path);
  Dir.Write("a.asm", "RET\n");
  {
    BoxAnswers boxes({QMessageBox::No});
    editor->CheckChangedOnDisk();
    editor->CheckChangedOnDisk();
    EXPECT_EQ(boxes.Texts.size(), 1u);
  }
  EXPECT_EQ(editor->Editor->toPlainText(), QStringLiteral("NOP\n"));
  Dir.Write("a.asm", "SJMP $\n");
  BoxAnswers boxes({QMessageBox::Yes});
  editor->CheckChangedOnDisk();
  EXPECT_EQ(editor->Editor->toPlainText(), QStringLiteral("SJMP $\n"));
}

TEST_F(SourceEditorTest, ActionsAndMenusCarryTheirCaptions) {
  TWinSourceFile* editor = Open(Dir.Write("a.asm", "NOP\n"));
  EXPECT_EQ(editor->FileMenu()->title(), QStringLiteral("文件(&F)"));
  ASSERT_EQ(editor->MergedMenus().size(), 1);
  QStringList edit;
  for (QAction* a : editor->MergedMenus()[0]->actions())
    edit << (a->isSeparator() ? "-" : a->objectName());
  EXPECT_EQ(edit.join(' ').toStdString(),
            "AEditUndo - AEditCut AEditCopy AEditPast - ASearchFind ASearchFindNext - "
            "ASearchGoToLine - AEditFont AEditRrfresh");
  EXPECT_EQ(editor->ASearchFindNext->shortcut(), QKeySequence("Ctrl+L"));
  EXPECT_EQ(editor->AEditRrfresh->text(), QStringLiteral("刷新 (&R)"));
  EXPECT_FALSE(editor->AEditCut->isEnabled());
  editor->Editor->selectAll();
  EXPECT_TRUE(editor->AEditCut->isEnabled());
}

} // namespace
