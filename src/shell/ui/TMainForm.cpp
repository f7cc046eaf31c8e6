#include "TMainForm.h"

#include "Experiments.h"
#include "ProfileFile.h"
#include "ProjectCommands.h"
#include "QtUserInterface.h"
#include "TCompileActions.h"
#include "TDebugActions.h"
#include "TMainFormActions.h"
#include "TMainFormCommands.h"
#include "TMdiChild.h"
#include "TSourceEditor.h"
#include "TViewWindows.h"
#include "TWorkbenchEvents.h"
#include "Workbench.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr std::array<const char*, TMainForm::ViewKinds> ViewCaptions{
    "寄存器 (Corvel)", "程序存储区", "程序存储区", "反汇编调试", "堆栈", "变量",
    "编译连接结果信息"};
constexpr std::array<const char*, TMainForm::ViewKinds> ViewActions{
    "AViewRegist", "AViewMemory1",  "AViewMemory2", "AViewDebug",
    "AViewStack",  "AViewVariable", "AViewCLMsg"};
constexpr std::array<int, 4> PanelWidths{120, 60, 80, 50};
constexpr std::array<const char*, 8> RunCommands{
    "ADebugRun",      "ADebugRunToAddress", "ADebugRunToCursor",  "ADebugStep",
    "ADebugStepOver", "ADebugAutoStep",     "ADebugAutoStepOver", "ADebugResetRun"};

QString WithoutAmpersand(QString caption) {
  return caption.remove('&');
}

// A window's settings-file bounds, kept inside the area: a damaged settings file cannot make
// a window that is huge or out of reach.
QRect SaneBounds(const TBounds& bounds, const QRect& area) {
  const int width = std::clamp(bounds.Width, 60, std::max(60, area.width()));
  const int height = std::clamp(bounds.Height, 40, std::max(40, area.height()));
  const int left = std::clamp(bounds.Left, area.left(), std::max(area.left(), area.right() - 40));
  const int top = std::clamp(bounds.Top, area.top(), std::max(area.top(), area.bottom() - 20));
  return {left, top, width, height};
}

// The source editor or view behind a child window, whichever of them implements the interface.
template <class Interface> Interface* ChildAs(QMdiSubWindow* sub) {
  if (!sub) return nullptr;
  if (auto* self = dynamic_cast<Interface*>(sub)) return self;
  return dynamic_cast<Interface*>(sub->widget());
}

// The separator a menu lists its entries behind.
QAction* Marker(const QMenu* menu) {
  for (QAction* action : menu->actions())
    if (action->isSeparator() && action->data().toInt() == TMainForm::MarkerTag) return action;
  return nullptr;
}

// Drops the entries behind the marker and shows the marker only when entries follow.
QAction* ClearBehindMarker(QMenu* menu, bool entriesFollow) {
  QAction* marker = Marker(menu);
  if (!marker) return nullptr;
  const QList<QAction*> actions = menu->actions();
  for (qsizetype i = actions.indexOf(marker) + 1; i < actions.size(); ++i) {
    menu->removeAction(actions[i]);
    if (actions[i]->parent() == menu) delete actions[i];
  }
  marker->setVisible(entriesFollow);
  return marker;
}

// The settings' open flags of the six views that reopen at start, in the order they open.
std::array<std::pair<bool*, int>, 6> OpenFlags(TOption& o) {
  return {{{&o.RegistOpen, 0},
           {&o.Memory1Open, 1},
           {&o.Memory2Open, 2},
           {&o.DebugOpen, 3},
           {&o.StackOpen, 4},
           {&o.VariableOpen, 5}}};
}

QString MenuText(QString text) {
  return text.replace('&', "&&");
}

} // namespace

TMainForm::TMainForm(Workbench& wb, QtUserInterface& ui) : WB(wb), UI(ui) {
  setObjectName("MainForm");
  setWindowTitle(Caption);
  setAccessibleName(Caption);
  QFont font("宋体");
  font.setPixelSize(14);
  setFont(font);

  Mdi = new QMdiArea(this);
  Mdi->setObjectName("MdiArea");
  Mdi->setAccessibleName(Caption);
  setCentralWidget(Mdi);

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  ConnectCommands();
  AddOwnUpdateHandlers();

  UI.Parent = this;
  UI.RunState = Panels[2];
  UI.Gauge = Gauge;
  UI.FlagsChanged = [this] { RunUpdateHandlers(); };
  WB.Project.AddHistoryFile = [this](const std::string& path) {
    AddHistoryFile(QString::fromStdString(path));
  };

  // The dialogs exist once, from the start, and keep what they were left with.
  OwnCommands = new TMainFormCommands(*this, WB, UI);

  WB.SetAutoStepping(false);
  ApplyMainBounds();
  WB.Port.ResetTarget();

  connect(Mdi, &QMdiArea::subWindowActivated, this, [this] {
    RebuildMenuBar();
    RunUpdateHandlers();
  });
  // The update handlers run whenever the event loop has nothing left to do.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &TMainForm::RunUpdateHandlers);
  RebuildMenuBar();
  RunUpdateHandlers();
}

TMainForm::~TMainForm() {
  UI.FlagsChanged = nullptr;
  UI.AddressDialog = nullptr;
  WB.Project.AddHistoryFile = nullptr;
  // The parts go first (they own dialogs parented to the frame), last attached first; then the
  // views, while the workbench they registered in still exists.
  while (!Parts.empty())
    Parts.pop_back();
  delete Mdi;
  Mdi = nullptr;
}

void TMainForm::AttachParts() {
  // Each part adds the one line that hooks it into the frame here.
  Parts.emplace_back(new TDebugActions(*this, ViewContext(), this));
  Parts.emplace_back(new TViewWindows(*this, ViewContext(), this));
  Parts.emplace_back(new TCompileActions(*this, *this, WB));
}

void TMainForm::CreateActions() {
  for (const TActionRow& row : MainFormActions()) {
    auto* action = new QAction(QString::fromUtf8(row.Caption), this);
    action->setObjectName(row.Name);
    const QString hint = QString::fromUtf8(row.Hint);
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? WithoutAmpersand(action->text()) : hint);
    if (*row.Shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(row.Shortcut)));
    action->setCheckable(row.Checkable);
    action->setData(row.Tag);
    if (*row.Glyph)
      action->setIcon(QIcon(QStringLiteral(":/workbench/glyphs/%1.svg").arg(row.Glyph)));
    // Shortcuts work whichever menus the active child merges in.
    addAction(action);
    Actions.insert(row.Name, action);
  }
  Actions.value("AViewStack")->setVisible(false);
  Actions.value("AHelpFile")->setVisible(false);
}

void TMainForm::CreateMenus() {
  for (const TMenuRow& row : MainFormMenus()) {
    auto* menu = new QMenu(QString::fromUtf8(row.Caption), this);
    menu->setObjectName(QStringLiteral("Menu%1").arg(row.Name));
    menu->menuAction()->setObjectName(menu->objectName());
    for (const char* entry : row.Entries) {
      if (std::string_view(entry) == "-")
        menu->addSeparator();
      else
        menu->addAction(Actions.value(entry));
    }
    Menus.insert(row.Name, menu);
    MenuOrder.push_back(menu);
  }
  QMenu* file = Menus.value("File");
  file->addSeparator()->setData(MarkerTag);
  connect(file, &QMenu::aboutToShow, this, [this, file] { F1Click(file); });
  QMenu* window = Menus.value("Window");
  window->addSeparator()->setData(MarkerTag);
  connect(window, &QMenu::aboutToShow, this, &TMainForm::W1Click);
  CreateExperimentMenus(Menus.value("Debug"));
  F1Click(file);
  W1Click();
}

void TMainForm::CreateExperimentMenus(QMenu* debugMenu) {
  debugMenu->addSeparator();
  const auto addList = [&](const char* name, const char* caption, auto& tests, auto click) {
    QMenu* menu = debugMenu->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    for (size_t i = 0; i < tests.size(); ++i) {
      QAction* item = menu->addAction(QString::fromUtf8(tests[i].Caption));
      item->setData(static_cast<int>(i));
      connect(item, &QAction::triggered, this, [this, click, i] { (this->*click)(int(i)); });
    }
    menu->menuAction()->setVisible(false);
  };
  addList("SetPCSoftTest", "设置PC（软件实验）", SoftTests, &TMainForm::SoftTestClick);
  addList("SetPCHardTest", "设置PC（硬件实验）", HardTests, &TMainForm::HardTestClick);
  debugMenu->addSeparator()->setVisible(false);
  debugMenu->addAction(Actions.value("ADebugUseInterrupt"));
}

void TMainForm::CreateToolBar() {
  Tools = addToolBar(QString());
  Tools->setObjectName("ToolBar");
  Tools->setAccessibleName("ToolBar");
  Tools->setMovable(false);
  Tools->setIconSize(QSize(16, 16));
  Tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (const char* name : MainFormToolBar()) {
    if (std::string_view(name) == "-") {
      Tools->addSeparator();
      continue;
    }
    QAction* action = Actions.value(name);
    Tools->addAction(action);
    QWidget* button = Tools->widgetForAction(action);
    button->setObjectName(QStringLiteral("Btn%1").arg(name));
    const QString caption = std::string_view(name) == "ACompileBrowseModule"
                                ? QStringLiteral("浏览")
                                : WithoutAmpersand(action->text());
    button->setAccessibleName(caption);
  }
  Gauge = new QProgressBar(Tools);
  Gauge->setObjectName("GaugeCompile");
  Gauge->setAccessibleName("GaugeCompile");
  Gauge->setRange(0, 10);
  Gauge->setValue(0);
  Gauge->setTextVisible(false);
  Gauge->setFixedSize(100, 16);
  GaugeAction = Tools->addWidget(Gauge);
  GaugeAction->setVisible(false);
}

void TMainForm::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar");
  for (size_t i = 0; i < Panels.size(); ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("Panel%1").arg(i));
    panel->setAccessibleName(panel->objectName());
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setMinimumWidth(PanelWidths[i]);
    // The last panel takes the rest of the bar, as the hint it shows may be long.
    if (i + 1 < Panels.size()) panel->setFixedWidth(PanelWidths[i]);
    bar->addWidget(panel, i + 1 < Panels.size() ? 0 : 1);
    Panels[i] = panel;
  }
  Panels[2]->setText(QtUserInterface::WaitingText);
}

QLabel* TMainForm::StatusPanel(int panel) const {
  return panel >= 0 && panel < int(Panels.size()) ? Panels[size_t(panel)] : nullptr;
}

void TMainForm::ConnectCommands() {
  const auto on = [this](const char* name, auto handler) {
    connect(Actions.value(name), &QAction::triggered, this, handler);
  };
  on("AFileNew", [this] {
    if (!EditorFactory) return;
    TSourceEditor* editor = EditorFactory();
    editor->SetFileName(QDir::currentPath() + "/Untitled.asm");
    editor->SetModified(false);
    AddChild(dynamic_cast<QWidget*>(editor))->show();
  });
  on("AFileClose", [this] {
    if (QMdiSubWindow* active = Mdi->activeSubWindow()) active->close();
  });
  on("AFileExit", [this] { close(); });
  for (int kind = 0; kind < ViewKinds; ++kind)
    on(ViewActions[size_t(kind)], [this, kind] { ShowView(kind); });
  on("AWindowCascad", [this] { Mdi->cascadeSubWindows(); });
  on("AWindowTitleH", [this] { Tile(Qt::Vertical); });
  on("AWindowTitleV", [this] { Tile(Qt::Horizontal); });
  on("AWindowPrevious", [this] { Mdi->activatePreviousSubWindow(); });
  on("AWindowNext", [this] { Mdi->activateNextSubWindow(); });
  on("AWindowCloseAll", [this] { CloseAllChildren(); });
  on("AHelpFile", [this] { StartOscilla(); });
  on("AHelpAboutCompile", [this] { StartOscilla(); });
  on("ADebugAddValue", [this] {
    // The variable window asks for the new watch with its own add command.
    QWidget* variable = ShowView(5);
    if (QAction* add = variable ? variable->findChild<QAction*>("ActionAdd") : nullptr)
      add->trigger();
  });
}

void TMainForm::AddOwnUpdateHandlers() {
  AddUpdateHandler([this] {
    const bool active = Mdi->activeSubWindow() != nullptr;
    Actions.value("AFileClose")->setEnabled(active);
    const bool any = !Children().isEmpty();
    for (const char* name : {"AWindowCascad", "AWindowTitleH", "AWindowTitleV", "AWindowPrevious",
                             "AWindowNext", "AWindowCloseAll"})
      Actions.value(name)->setEnabled(any);
    for (int kind = 0; kind < ViewKinds; ++kind)
      Actions.value(ViewActions[size_t(kind)])->setChecked(ViewWindow(kind) != nullptr);
    const bool portOpen = WB.Port.IsOpen();
    Actions.value("AOptionReConnect")->setEnabled(!portOpen);
    GaugeAction->setVisible(portOpen);
    const bool projectOpen = !WB.Project.FileName.empty();
    for (const char* name : {"AProjectEdit", "AProjectClose", "AProjectFileList"})
      Actions.value(name)->setEnabled(projectOpen);
    Actions.value("ACompileBrowseModule")->setEnabled(!WB.DebugInfo.FileName.empty());
  });
}

QList<QMdiSubWindow*> TMainForm::Children() const {
  QList<QMdiSubWindow*> children = Mdi->subWindowList(QMdiArea::CreationOrder);
  children.removeIf([](const QMdiSubWindow* sub) { return sub->isHidden(); });
  return children;
}

QAction* TMainForm::Action(const QString& name) const {
  return Actions.value(name);
}

void TMainForm::AddUpdateHandler(std::function<void()> handler) {
  UpdateHandlers.push_back(std::move(handler));
}

void TMainForm::RunUpdateHandlers() {
  // A handler that processes events must not start the round again inside itself.
  if (Updating) return;
  Updating = true;
  // While a run or an auto-step loop is in progress, the commands that would start another
  // run inside it wait; Stop, Halt and the rest stay usable. Afterwards they come back, and
  // the handlers of those with a rule of their own apply it.
  const bool busy = WB.CPU.Running || WB.AutoStepping;
  if (!busy && HeldRunCommands) {
    for (const char* name : RunCommands)
      Actions.value(name)->setEnabled(true);
    HeldRunCommands = false;
  }
  for (const std::function<void()>& handler : UpdateHandlers)
    handler();
  if (busy) {
    for (const char* name : RunCommands)
      Actions.value(name)->setEnabled(false);
    HeldRunCommands = true;
  }
  Updating = false;
}

void TMainForm::SetViewFactory(int kind, std::function<QWidget*()> factory) {
  if (kind >= 0 && kind < ViewKinds) ViewFactories[size_t(kind)] = std::move(factory);
}

void TMainForm::SetEditorFactory(std::function<TSourceEditor*()> factory) {
  EditorFactory = std::move(factory);
}

void TMainForm::SetStatusText(int panel, const QString& text) {
  if (QLabel* label = StatusPanel(panel)) label->setText(text);
}

QMdiSubWindow* TMainForm::ViewWindow(int kind) const {
  if (kind < 0 || kind >= ViewKinds) return nullptr;
  // A closed window goes only when the event loop deletes it; until then it is gone already,
  // so a register window rebuilt at its own request is a new one.
  QMdiSubWindow* window = ViewWindows[size_t(kind)];
  return window && !window->isHidden() ? window : nullptr;
}

TBounds& TMainForm::ViewBounds(int kind) {
  TOption& o = WB.Option;
  std::array<TBounds*, ViewKinds> bounds{
      &o.RegistBounds, &o.Memory1Bounds,  &o.Memory2Bounds,       &o.DebugBounds,
      &o.StackBounds,  &o.VariableBounds, &o.CompileLinkMsgBounds};
  return *bounds[size_t(kind)];
}

QMdiSubWindow* TMainForm::AddChild(QWidget* widget) {
  QMdiSubWindow* sub = Mdi->addSubWindow(widget);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  const auto name = [sub] { sub->setAccessibleName(sub->windowTitle()); };
  name();
  connect(sub, &QWidget::windowTitleChanged, sub, name);
  return sub;
}

QWidget* TMainForm::ShowView(int kind) {
  if (kind < 0 || kind >= ViewKinds) return nullptr;
  QPointer<QMdiSubWindow>& window = ViewWindows[size_t(kind)];
  if (!ViewWindow(kind)) {
    QWidget* view = ViewFactories[size_t(kind)] ? ViewFactories[size_t(kind)]() : new QWidget;
    if (view->windowTitle().isEmpty()) view->setWindowTitle(ViewCaptions[size_t(kind)]);
    window = AddChild(view);
    window->setProperty("ViewKind", kind);
    window->setGeometry(SaneBounds(ViewBounds(kind), QRect(QPoint(0, 0), QSize(4096, 4096))));
    window->installEventFilter(this);
  }
  window->showNormal();
  window->raise();
  Mdi->setActiveSubWindow(window);
  return window->widget();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // A view keeps its bounds in the settings while it is neither minimised nor maximised.
  if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
    auto* sub = qobject_cast<QMdiSubWindow*>(watched);
    const QVariant kind = sub ? sub->property("ViewKind") : QVariant();
    if (kind.isValid() && !(sub->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
      const QRect r = sub->geometry();
      ViewBounds(kind.toInt()) = TBounds{r.x(), r.y(), r.width(), r.height()};
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

std::vector<TSourceEditor*> TMainForm::SourceEditors() const {
  std::vector<TSourceEditor*> editors;
  for (QMdiSubWindow* sub : Children())
    if (auto* editor = ChildAs<TSourceEditor>(sub)) editors.push_back(editor);
  return editors;
}

void TMainForm::OpenSourceFile(const QString& path) {
  for (QMdiSubWindow* sub : Children()) {
    auto* editor = ChildAs<TSourceEditor>(sub);
    if (editor && editor->FileName() == path) {
      sub->show();
      Mdi->setActiveSubWindow(sub);
      return;
    }
  }
  if (!EditorFactory) return;
  TSourceEditor* editor = EditorFactory();
  auto* widget = dynamic_cast<QWidget*>(editor);
  // An editor whose file could not be read (it has said so) does not stay open, nameless.
  if (!editor->LoadFile(path)) {
    delete widget;
    return;
  }
  AddChild(widget)->show();
}

void TMainForm::SetModuleLoader(std::function<void(const QString&)> loader) {
  ModuleLoader = std::move(loader);
}

void TMainForm::LoadProgram(const QString& path) {
  if (ModuleLoader) ModuleLoader(path);
}

void TMainForm::AddHistoryFile(const QString& path) {
  HistoryFiles.Add(path.toStdString());
}

void TMainForm::F1Click(QMenu* menu) {
  const std::vector<std::string>& files = HistoryFiles.Files;
  if (!ClearBehindMarker(menu, !files.empty())) return;
  for (size_t i = files.size(); i-- > 0;) {
    QAction* item = menu->addAction(MenuText(QString::fromStdString(files[i])));
    item->setData(int(i));
    connect(item, &QAction::triggered, this, [this, i] { HistoryMenuClick(int(i)); });
  }
}

void TMainForm::HistoryMenuClick(int index) {
  if (index < 0 || size_t(index) >= HistoryFiles.Files.size()) return;
  const std::string path = HistoryFiles.Files[size_t(index)];
  const QString name = QString::fromStdString(path);
  if (!name.toUpper().endsWith(".PRJ")) {
    OpenSourceFile(name);
    return;
  }
  SaveOpenProject(WB.Project);
  OpenProject(WB.Project, WB.Option, path);
}

void TMainForm::W1Click() {
  QMenu* menu = Menus.value("Window");
  const QList<QMdiSubWindow*> windows = Children();
  if (!ClearBehindMarker(menu, !windows.isEmpty())) return;
  for (qsizetype i = 0; i < windows.size(); ++i) {
    QAction* item = menu->addAction(MenuText(windows[i]->windowTitle()));
    item->setData(int(i));
    QPointer<QMdiSubWindow> window = windows[i];
    connect(item, &QAction::triggered, this, [this, window] {
      if (!window) return;
      window->show();
      window->raise();
      Mdi->setActiveSubWindow(window);
    });
  }
}

void TMainForm::RebuildMenuBar() {
  TMdiChild* child = ChildAs<TMdiChild>(Mdi->activeSubWindow());
  QMenuBar* bar = menuBar();
  bar->clear();
  QMenu* file = child && child->FileMenu() ? child->FileMenu() : Menus.value("File");
  bar->addMenu(file);
  if (child)
    for (QMenu* menu : child->MergedMenus())
      bar->addMenu(menu);
  for (QMenu* menu : MenuOrder)
    if (menu != Menus.value("File")) bar->addMenu(menu);
}

void TMainForm::Tile(Qt::Orientation orientation) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* sub : Children())
    if (sub->isVisible() && !sub->isMinimized()) windows.push_back(sub);
  if (windows.isEmpty()) return;
  const QRect area = Mdi->viewport()->rect();
  const int n = int(windows.size());
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* sub = windows[i];
    if (sub->isMaximized()) sub->showNormal();
    if (orientation == Qt::Vertical) {
      const int top = area.height() * i / n;
      sub->setGeometry(0, top, area.width(), area.height() * (i + 1) / n - top);
    } else {
      const int left = area.width() * i / n;
      sub->setGeometry(left, 0, area.width() * (i + 1) / n - left, area.height());
    }
  }
}

void TMainForm::CloseAllChildren() {
  const QList<QMdiSubWindow*> windows = Children();
  for (qsizetype i = windows.size(); i-- > 0;)
    windows[i]->close();
}

void TMainForm::SoftTestClick(int entry) {
  if (entry >= 0 && size_t(entry) < SoftTests.size()) EnterExperiment(WB, SoftTests[size_t(entry)]);
}

void TMainForm::HardTestClick(int entry) {
  if (entry >= 0 && size_t(entry) < HardTests.size()) EnterExperiment(WB, HardTests[size_t(entry)]);
}

TViewContext TMainForm::ViewContext() {
  return TViewContext{WB, [this](const QString& name) { return Action(name); },
                      [this](int entry) { SoftTestClick(entry); },
                      [this](int entry) { HardTestClick(entry); }};
}

void TMainForm::StartOscilla() {
  const QString path = QString::fromStdString((WB.StartDir / "Oscilla").string());
  if (!QProcess::startDetached(path, {}, QString::fromStdString(WB.StartDir.string())))
    UI.Message(("不能打开文件：" + path).toStdString());
}

void TMainForm::ApplyMainBounds() {
  const TBounds& b = WB.Option.MainBounds;
  const QScreen* screen = QApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
  const QRect r = SaneBounds(b, area);
  move(r.topLeft());
  resize(r.size());
}

void TMainForm::RestoreViews() {
  const auto views = OpenFlags(WB.Option);
  for (const auto& [open, kind] : views)
    if (*open) ShowView(kind);
  for (const auto& view : views)
    *view.first = false;
}

void TMainForm::LoadFileHistory() {
  const ProfileFile profile(ProfileFilePath());
  for (const std::string& path : LoadCurrentFiles(profile))
    OpenSourceFile(QString::fromStdString(path));
  HistoryFiles.Load(profile);
}

void TMainForm::SaveFileHistory() {
  // Read again first: keys another program wrote since the start stay.
  ProfileFile profile(ProfileFilePath());
  std::vector<std::string> files;
  for (TSourceEditor* editor : SourceEditors())
    files.push_back(editor->FileName().toStdString());
  SaveCurrentFiles(profile, files);
  HistoryFiles.Save(profile);
  profile.Save();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (Shown) return;
  Shown = true;
  RestoreViews();
  LoadFileHistory();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  for (TSourceEditor* editor : SourceEditors())
    if (!editor->CheckModified()) {
      event->ignore();
      return;
    }
  const auto views = OpenFlags(WB.Option);
  for (const auto& [open, kind] : views)
    if (ViewWindow(kind)) *open = true;
  SaveFileHistory();
  CloseProject(WB.Project, WB.Option);
  const QRect frame = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
  WB.Option.MainBounds = TBounds{frame.x(), frame.y(), frame.width(), frame.height()};
  event->accept();
}

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    Panels[3]->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  if (event->type() == WorkbenchEvents::RecreateRegistWindow) {
    ShowView(0);
    return true;
  }
  return QMainWindow::event(event);
}
