#include "TWinSourceFile.h"

#include "SourceTokens.h"
#include "TActionHost.h"
#include "TDlgFindText.h"
#include "TDlgInputLine.h"
#include "TOption.h"
#include "TSourceHighlighter.h"
#include "TSourceTextEdit.h"
#include "TWorkbenchEvents.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

constexpr int HistoryMarkTag = 12345;

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QMessageBox::StandardButton AskYesNoCancel(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

} // namespace

TWinSourceFile::TWinSourceFile(TActionHost& host, TOption& option, TDlgFindText& findDialog,
                               TDlgInputLine& lineDialog, QWidget* parent)
    : QWidget(parent), Editor(new TSourceTextEdit(this)), Host(host), Option(option),
      FindDialog(findDialog), LineDialog(lineDialog) {
  setObjectName("WinSourceFile");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Editor);
  Editor->setObjectName("Editor");
  Editor->setAccessibleName(QStringLiteral("Editor"));
  QFont initial(QStringLiteral("System"));
  initial.setBold(true);
  initial.setPixelSize(14);
  Editor->setFont(initial);
  Highlighter = new TSourceHighlighter(Editor->document(), SourceLanguage::Assembler);

  AEditUndo = MakeAction("AEditUndo", QStringLiteral("取消操作(&U)"), "Ctrl+Z");
  AEditCut = MakeAction("AEditCut", QStringLiteral("剪切(&T)"), "Ctrl+X");
  AEditCopy = MakeAction("AEditCopy", QStringLiteral("复制(&C)"), "Ctrl+C");
  AEditPast = MakeAction("AEditPast", QStringLiteral("粘贴(&P)"), "Ctrl+V");
  ASearchFind = MakeAction("ASearchFind", QStringLiteral("查找(&S)..."), "Ctrl+F");
  ASearchFindNext = MakeAction("ASearchFindNext", QStringLiteral("查找下一个"), "Ctrl+L");
  ASearchGoToLine = MakeAction("ASearchGoToLine", QStringLiteral("跳到行..."), "Ctrl+G");
  AFileSave = MakeAction("AFileSave", QStringLiteral("存储(&S)"), "");
  AFileSaveAs = MakeAction("AFileSaveAs", QStringLiteral("另存为(&A)..."), "");
  AEditRrfresh = MakeAction("AEditRrfresh", QStringLiteral("刷新 (&R)"), "");
  AEditFont = MakeAction("AEditFont", QStringLiteral("字体(&F)"), "");
  connect(AEditUndo, &QAction::triggered, Editor, &QPlainTextEdit::undo);
  connect(AEditCut, &QAction::triggered, Editor, &QPlainTextEdit::cut);
  connect(AEditCopy, &QAction::triggered, Editor, &QPlainTextEdit::copy);
  connect(AEditPast, &QAction::triggered, Editor, &QPlainTextEdit::paste);
  connect(ASearchFind, &QAction::triggered, this, &TWinSourceFile::Find);
  connect(ASearchFindNext, &QAction::triggered, this, &TWinSourceFile::FindNext);
  connect(ASearchGoToLine, &QAction::triggered, this, &TWinSourceFile::AskGoToLine);
  connect(AFileSave, &QAction::triggered, this, &TWinSourceFile::Save);
  connect(AFileSaveAs, &QAction::triggered, this, &TWinSourceFile::SaveAs);
  connect(AEditRrfresh, &QAction::triggered, this, &TWinSourceFile::Refresh);
  connect(AEditFont, &QAction::triggered, this, &TWinSourceFile::ChooseFont);
  BuildMenus();

  connect(Editor, &QPlainTextEdit::modificationChanged, this, &TWinSourceFile::ShowModified);
  connect(Editor, &QPlainTextEdit::cursorPositionChanged, this, &TWinSourceFile::ShowCursorPos);
  connect(Editor, &QPlainTextEdit::selectionChanged, this, &TWinSourceFile::ShowCursorPos);
  connect(Editor, &QPlainTextEdit::undoAvailable, this, &TWinSourceFile::UpdateActions);
  connect(Editor, &QPlainTextEdit::copyAvailable, this, &TWinSourceFile::UpdateActions);
  connect(Editor, &QPlainTextEdit::modificationChanged, this, &TWinSourceFile::UpdateActions);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &TWinSourceFile::UpdateActions);
  Editor->installEventFilter(this);
  ChooseSaveName = [this] {
    QFileDialog dialog(this, QString(), QFileInfo(CurrentName).absolutePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("asm"));
    dialog.setNameFilters({"*.asm (*.asm)", "*.plm (*.plm)", "*.c (*.c)", "*.* (*)"});
    // The editor asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  UpdateActions();
}

QAction* TWinSourceFile::MakeAction(const char* name, const QString& caption,
                                    const QString& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(QKeySequence(shortcut));
  // Each editor's shortcuts reach only that editor.
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(action);
  return action;
}

void TWinSourceFile::BuildMenus() {
  EditorFileMenu = new QMenu(QStringLiteral("文件(&F)"), this);
  EditorFileMenu->setObjectName("FileMenu");
  for (const char* name : {"AFileNew", "AFileOpen", "AFileClose"})
    if (QAction* a = Host.Action(name)) EditorFileMenu->addAction(a);
  EditorFileMenu->addAction(AFileSave);
  EditorFileMenu->addAction(AFileSaveAs);
  EditorFileMenu->addSeparator();
  for (const char* name : {"AFileOutList", "AFileSaveROM", "AFileSaveRAM"})
    if (QAction* a = Host.Action(name)) EditorFileMenu->addAction(a);
  EditorFileMenu->addSeparator();
  if (QAction* exit = Host.Action("AFileExit")) EditorFileMenu->addAction(exit);
  EditorFileMenu->addSeparator()->setData(HistoryMarkTag);
  connect(EditorFileMenu, &QMenu::aboutToShow, this, [this] { Host.F1Click(EditorFileMenu); });

  EditMenu = new QMenu(QStringLiteral("编辑(&E)"), this);
  EditMenu->setObjectName("EditMenu");
  ContextMenu = new QMenu(this);
  for (QMenu* menu : {EditMenu, ContextMenu}) {
    menu->addAction(AEditUndo);
    menu->addSeparator();
    menu->addActions({AEditCut, AEditCopy, AEditPast});
    menu->addSeparator();
    menu->addActions({ASearchFind, ASearchFindNext});
    menu->addSeparator();
    menu->addAction(ASearchGoToLine);
    menu->addSeparator();
  }
  EditMenu->addActions({AEditFont, AEditRrfresh});
  ContextMenu->addAction(AEditRrfresh);
  Editor->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Editor, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    UpdateActions();
    ContextMenu->popup(Editor->mapToGlobal(at));
  });
}

void TWinSourceFile::UpdateActions() {
  const bool selected = Editor->textCursor().hasSelection();
  AEditUndo->setEnabled(Editor->document()->isUndoAvailable());
  AEditCut->setEnabled(selected);
  AEditCopy->setEnabled(selected);
  AEditPast->setEnabled(Editor->canPaste());
  AFileSave->setEnabled(Editor->document()->isModified());
}

void TWinSourceFile::SetFileName(const QString& path) {
  CurrentName = path;
  setWindowTitle(path);
  Highlighter->SetLanguage(LanguageOfFile(path.toStdString()));
  Host.AddHistoryFile(path);
}

bool TWinSourceFile::LoadFile(const QString& path) {
  SourceFile file;
  std::string text;
  if (!file.Load(path.toStdString(), text)) {
    QMessageBox::warning(this, QApplication::applicationDisplayName(), Text(file.Error));
    return false;
  }
  const QString content = Text(text);
  // The edit control holds no more; a longer file is refused rather than cut.
  if (content.size() > TSourceTextEdit::MaxCharacters) {
    QMessageBox::warning(this, QApplication::applicationDisplayName(),
                         QStringLiteral("文件(%1)超过 %2 个字符，不能编辑")
                             .arg(path)
                             .arg(TSourceTextEdit::MaxCharacters));
    return false;
  }
  File = file;
  Editor->setPlainText(content);
  SetFileName(path);
  SetModified(false);
  ApplySettingsFont();
  return true;
}

void TWinSourceFile::ApplySettingsFont() {
  QFont font(Text(Option.FontName));
  if (Option.FontHeight < 0) font.setPixelSize(-Option.FontHeight);
  if (Option.FontSize > 0) font.setPointSize(Option.FontSize);
  font.setFixedPitch(Option.FontPitch == 2);
  font.setBold(Option.FontStyle & 1);
  font.setItalic(Option.FontStyle & 2);
  font.setUnderline(Option.FontStyle & 4);
  font.setStrikeOut(Option.FontStyle & 8);
  Editor->setFont(font);
  // The stored colour is 00BBGGRR.
  QPalette palette = Editor->palette();
  const uint32_t c = Option.FontColor;
  palette.setColor(QPalette::Text, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  Editor->setPalette(palette);
}

void TWinSourceFile::SetModified(bool modified) {
  Editor->document()->setModified(modified);
  ShowModified(modified);
}

void TWinSourceFile::ShowModified(bool flag) {
  Host.SetStatusText(1, flag ? QStringLiteral("已修改") : QString());
}

void TWinSourceFile::ShowCursorPos() {
  const QTextCursor cursor = Editor->textCursor();
  const QTextBlock block = Editor->document()->findBlock(cursor.selectionStart());
  const int line = block.blockNumber() + 1;
  const int column = cursor.selectionStart() - block.position() + 1;
  Host.SetStatusText(0, QString::asprintf("行:%3d，列:%3d", line, column));
}

bool TWinSourceFile::CheckModified() {
  if (!Editor->document()->isModified()) return true;
  switch (AskYesNoCancel(this, QStringLiteral("文件(%1)已修改，要保存吗？").arg(CurrentName))) {
  case QMessageBox::Yes: return Save();
  case QMessageBox::No: return true;
  default: return false;
  }
}

bool TWinSourceFile::Save() {
  if (CurrentName.contains(QLatin1String(UntitledName))) return SaveAs();
  return SaveTo(CurrentName);
}

bool TWinSourceFile::SaveAs() {
  const QString chosen = ChooseSaveName ? ChooseSaveName() : QString();
  if (chosen.isEmpty()) return false;
  if (QFileInfo::exists(chosen) &&
      AskYesNoCancel(this, QStringLiteral("文件已存在，要覆盖(%1)吗？").arg(chosen)) !=
          QMessageBox::Yes)
    return false;
  if (!SaveTo(chosen)) return false;
  SetFileName(chosen);
  return true;
}

// A failed save says why and keeps the text, the file name and the modified mark.
bool TWinSourceFile::SaveTo(const QString& path) {
  const std::string name = path.toStdString();
  if (File.Path == name && File.ChangedOnDisk() &&
      AskYesNoCancel(this, QStringLiteral("文件(%1)已被其他程序修改，要覆盖吗？").arg(path)) !=
          QMessageBox::Yes)
    return false;
  const std::string text = Editor->toPlainText().toStdString();
  if (!File.Save(name, text) && File.NeedsUtf8) {
    if (AskYesNoCancel(this, QStringLiteral("文件(%1)中有 GBK 编码不能表示的字符，要以 UTF-8 "
                                            "编码存储吗？")
                                 .arg(path)) != QMessageBox::Yes)
      return false;
    File.Encoding = TextEncoding::Utf8;
    File.Save(name, text);
  }
  if (!File.Error.empty()) {
    QMessageBox::warning(this, QApplication::applicationDisplayName(), Text(File.Error));
    return false;
  }
  SetModified(false);
  return true;
}

void TWinSourceFile::Refresh() {
  if (!CheckModified()) return;
  LoadFile(CurrentName);
}

void TWinSourceFile::CheckChangedOnDisk() {
  if (AskingAboutDisk || !File.ChangedOnDisk()) return;
  AskingAboutDisk = true;
  const QString text =
      Editor->document()->isModified()
          ? QStringLiteral("文件(%1)已被其他程序修改，要重新读入并放弃这里的修改吗？")
          : QStringLiteral("文件(%1)已被其他程序修改，要重新读入吗？");
  const bool reload = QMessageBox::question(this, QApplication::applicationDisplayName(),
                                            text.arg(CurrentName)) == QMessageBox::Yes;
  // Asked once per change; saving later still asks before overwriting it.
  if (!reload || !LoadFile(CurrentName)) File.AcceptDiskState();
  AskingAboutDisk = false;
}

void TWinSourceFile::ChooseFont() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, Editor->currentCharFormat().font(), this);
  if (!ok) return;
  Editor->setFont(chosen);
  const QFontInfo info(chosen);
  Option.FontHeight = -info.pixelSize();
  Option.FontSize = info.pointSize();
  Option.FontName = chosen.family().left(32).toStdString();
  Option.FontPitch = info.fixedPitch() ? 2 : 1;
  Option.FontStyle =
      static_cast<uint8_t>((chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0) |
                           (chosen.underline() ? 4 : 0) | (chosen.strikeOut() ? 8 : 0));
}

void TWinSourceFile::Find() {
  if (FindDialog.exec() == QDialog::Accepted) FindNext();
}

// Forward from the end of the selection, without wrapping round and without a
// message when nothing more is found.
void TWinSourceFile::FindNext() {
  const QString text = FindDialog.FindText->text();
  if (text.isEmpty()) return;
  QTextDocument::FindFlags flags;
  if (FindDialog.CBWholeWord->isChecked()) flags |= QTextDocument::FindWholeWords;
  if (FindDialog.CBMatchCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
  const QTextCursor cursor = Editor->textCursor();
  const QTextCursor found = Editor->document()->find(text, cursor.selectionEnd(), flags);
  if (!found.isNull()) Editor->setTextCursor(found);
}

void TWinSourceFile::AskGoToLine() {
  if (LineDialog.exec() == QDialog::Accepted) SelectLine(LineDialog.Position() - 1);
}

void TWinSourceFile::GoToLine(int line) {
  SelectLine(line - 1);
}

void TWinSourceFile::SelectLine(int index) {
  QTextBlock block = Editor->document()->findBlockByNumber(index);
  if (!block.isValid()) block = Editor->document()->lastBlock();
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  Editor->setTextCursor(cursor);
  Editor->centerCursor();
}

void TWinSourceFile::SetMarkedLines(const QSet<int>& lines) {
  Editor->SetMarkedLines(lines);
}

bool TWinSourceFile::event(QEvent* event) {
  if (event->type() == WorkbenchEvents::GoToLine) {
    GoToLine(static_cast<TGoToLineRequest*>(event)->Line);
    return true;
  }
  return QWidget::event(event);
}

bool TWinSourceFile::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Editor && event->type() == QEvent::FocusIn) {
    ShowCursorPos();
    ShowModified(Editor->document()->isModified());
    UpdateActions();
    CheckChangedOnDisk();
  }
  return QWidget::eventFilter(watched, event);
}

void TWinSourceFile::closeEvent(QCloseEvent* event) {
  if (CheckModified())
    event->accept();
  else
    event->ignore();
}
