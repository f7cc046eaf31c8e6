#include "TCompileActions.h"

#include "BatchRunner.h"
#include "BuildMessages.h"
#include "Process.h"
#include "TActionHost.h"
#include "TDlgFindText.h"
#include "TDlgInputLine.h"
#include "TWinCompileLinkMsg.h"
#include "TWinSourceFile.h"
#include "TWorkbenchEvents.h"
#include "Workbench.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

#include <cstdlib>

namespace {

constexpr const char* BuildingCaption = "正在编译，请稍等";

// How long one wait for the batch process lasts before pending events are handled.
constexpr int WaitSliceMs = 15;

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

bool IsUserInput(QEvent::Type type) {
  switch (type) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::ShortcutOverride:
  case QEvent::Shortcut:
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::Wheel:
  case QEvent::ContextMenu:
  case QEvent::Close: return true;
  default: return false;
  }
}

} // namespace

TCompileActions::TCompileActions(TActionHost& host, QWidget& mainWindow, Workbench& wb)
    : Driver(wb, *this), RunnerProgram(QCoreApplication::applicationFilePath()), Host(host),
      MainWindow(mainWindow), WB(wb), FindDialog(std::make_unique<TDlgFindText>(&mainWindow)),
      LineDialog(std::make_unique<TDlgInputLine>(&mainWindow)) {
  ChooseModule = [this] {
    return QFileDialog::getOpenFileName(&MainWindow, QString(), QString(),
                                        "*.OMF (*.OMF *.omf);;*.HEX (*.HEX *.hex);;"
                                        "*.BIN (*.BIN *.bin);;*.OBJ;*.O (*.OBJ *.O *.obj *.o);;"
                                        "*.* (*)");
  };
  Connect("ACompileLink", [this] { Driver.ACompileLink(); });
  Connect("ACompileLinkLoad", [this] { Driver.ACompileLinkLoad(); });
  Connect("ACompileLoadModule", [this] {
    const QString chosen = ChooseModule();
    if (!chosen.isEmpty()) Driver.LoadModule(chosen.toStdString());
  });
  Host.SetEditorFactory([this]() -> TSourceEditor* { return NewEditor(); });
  Host.SetViewFactory(6, [this]() -> QWidget* {
    auto* window = new TWinCompileLinkMsg(WB.Views);
    window->MapName = [this] {
      return PathConventions::Native().ChangeExt(Driver.MainName(), ".m51");
    };
    window->GoToSource = [this](const MessageTarget& target) { GoToSource(target); };
    return window;
  });
  Host.SetModuleLoader([this](const QString& path) {
    if (!Building) Driver.LoadModule(path.toStdString());
  });
  Host.AddUpdateHandler([this] { UpdateActions(); });
}

TCompileActions::~TCompileActions() = default;

void TCompileActions::Connect(const char* name, std::function<void()> handler) {
  if (QAction* action = Host.Action(name))
    connect(action, &QAction::triggered, this, [this, handler] {
      if (!Building) handler();
    });
}

void TCompileActions::UpdateActions() {
  const BuildDriver::Availability rule = Driver.RuleB();
  if (QAction* link = Host.Action("ACompileLink")) {
    link->setEnabled(rule.Enabled && !Building);
    if (rule.Enabled) link->setText(Text(rule.Link));
  }
  if (QAction* load = Host.Action("ACompileLinkLoad")) {
    load->setEnabled(rule.Enabled && !Building);
    if (rule.Enabled) load->setText(Text(rule.LinkLoad));
  }
  if (QAction* browse = Host.Action("ACompileBrowseModule"))
    browse->setEnabled(!WB.DebugInfo.FileName.empty());
}

TWinSourceFile* TCompileActions::NewEditor() {
  auto* editor = new TWinSourceFile(Host, WB.Option, *FindDialog, *LineDialog);
  EditorList.append(editor);
  return editor;
}

QList<TWinSourceFile*> TCompileActions::Editors() const {
  QList<TWinSourceFile*> editors;
  for (const QPointer<TWinSourceFile>& editor : EditorList)
    if (editor) editors.append(editor.data());
  return editors;
}

std::string TCompileActions::ActiveEditorFile() const {
  const auto* area = MainWindow.findChild<QMdiArea*>();
  const QMdiSubWindow* active = area ? area->activeSubWindow() : nullptr;
  const auto* editor = active ? qobject_cast<TWinSourceFile*>(active->widget()) : nullptr;
  return editor ? editor->FileName().toStdString() : std::string();
}

bool TCompileActions::CheckModified(const std::string& fileName) {
  for (TWinSourceFile* editor : Editors())
    if (editor->FileName().toStdString() == fileName && !editor->CheckModified()) return false;
  return true;
}

// The batch process runs while the window keeps painting; user input is held
// back except Esc, which ends the build's processes.
bool TCompileActions::ExecuteAndWait(const std::string& batchFile, int showMode) {
  const QString caption = MainWindow.windowTitle();
  MainWindow.setWindowTitle(QString::fromUtf8(BuildingCaption));
  const char* path = std::getenv("PATH");
  const std::string terminal =
      FindProgram("x-terminal-emulator", path ? path : "").value_or(std::string());
  ChildProcess child;
  const bool started =
      child.Start(BatchRunnerCommand(RunnerProgram.toStdString(), batchFile, showMode, terminal),
                  nullptr, true);
  if (started) {
    Building = true;
    Cancelled = false;
    UpdateActions();
    qApp->installEventFilter(this);
    while (!child.Wait(WaitSliceMs)) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, WaitSliceMs);
      if (Cancelled) child.Kill();
    }
    qApp->removeEventFilter(this);
    Building = false;
    UpdateActions();
  }
  MainWindow.setWindowTitle(caption);
  return started;
}

bool TCompileActions::eventFilter(QObject* watched, QEvent* event) {
  if (Building && IsUserInput(event->type())) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
      Cancelled = true;
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

TWinCompileLinkMsg* TCompileActions::Messages() const {
  return dynamic_cast<TWinCompileLinkMsg*>(WB.Views.Messages);
}

void TCompileActions::BeginCompileResult(const std::string& caption) {
  Host.ShowView(6);
  if (TWinCompileLinkMsg* window = Messages()) {
    window->SetMessages({});
    window->setWindowTitle(Text(caption));
    if (QWidget* frame = window->parentWidget()) frame->setWindowTitle(Text(caption));
  }
}

// The editors of the files the messages name mark their lines until the next build.
void TCompileActions::ShowCompileResult(const std::vector<std::string>& lines) {
  if (TWinCompileLinkMsg* window = Messages()) window->SetMessages(lines);
  for (TWinSourceFile* editor : Editors()) {
    QSet<int> marked;
    for (const std::string& line : lines) {
      const MessageTarget target = TargetOfMessage(line, std::string());
      if (target.Line > 0 && Text(target.FileName) == editor->FileName())
        marked.insert(target.Line);
    }
    editor->SetMarkedLines(marked);
  }
}

TSourceEditor* TCompileActions::EditorOf(const QString& fileName) const {
  for (TWinSourceFile* editor : Editors())
    if (editor->FileName() == fileName) return editor;
  return nullptr;
}

void TCompileActions::GoToSource(const MessageTarget& target) {
  if (!target.Error.empty()) {
    QMessageBox::warning(&MainWindow, QApplication::applicationDisplayName(), Text(target.Error));
    return;
  }
  if (target.FileName.empty()) return;
  const QString name = Text(target.FileName);
  Host.OpenSourceFile(name);
  if (target.Line == -1) return;
  if (auto* editor = dynamic_cast<QObject*>(EditorOf(name)))
    QCoreApplication::postEvent(editor, new TGoToLineRequest(target.Line));
}

void TCompileActions::CloseDisassembly() {
  auto* view = dynamic_cast<QWidget*>(WB.Views.Disassembly);
  if (!view) return;
  QWidget* frame = view->parentWidget();
  if (auto* child = qobject_cast<QMdiSubWindow*>(frame))
    child->close();
  else
    view->close();
}

void TCompileActions::OpenDisassembly(const TDefModuleInfo* module) {
  Host.ShowView(3);
  DisassemblyView* view = WB.Views.Disassembly;
  if (!view || !module) return;
  view->SetCurModule(module);
  view->SetMode(0);
  view->RepaintCodePane();
}

void TCompileActions::UseInterrupt() {
  if (QAction* action = Host.Action("ADebugUseInterrupt")) action->setChecked(true);
}
