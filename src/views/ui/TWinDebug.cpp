#include "TWinDebug.h"

#include "Experiments.h"
#include "TOmf.h"
#include "Workbench.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const QColor MixedSourceColour(0x40, 0x80, 0x80);
// Behind the PC's row, so the current line is seen at a glance.
const QColor PCRowShade(0xFF, 0xF4, 0xC0);

QString WithoutAccelerator(QString caption) {
  return caption.remove(QLatin1Char('&'));
}

QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei Mono"),
                    QStringLiteral("DejaVu Sans Mono")});
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(14);
  return font;
}

} // namespace

TWinDebug::TWinDebug(TViewContext context, QWidget* parent)
    : QWidget(parent), PBInfo(new QWidget(this)), PBDebug(new QWidget(this)),
      SBHScroll(new QScrollBar(Qt::Horizontal, this)),
      SBVScroll(new QScrollBar(Qt::Vertical, this)), Context(std::move(context)),
      Model(Context.WB.CPU, Context.WB.CodeValid, Context.WB.Port, Context.WB.DebugInfo,
            Context.WB.BreakPoints),
      Slot(Context.WB.Views.Disassembly, this) {
  Q_INIT_RESOURCE(debugglyphs);
  BreakPointGlyph.load(":/debug/BMPBREAKPOINT", "SVG");
  CurrentPCGlyph.load(":/debug/BMPCURRENTPC", "SVG");
  RunLineGlyph.load(":/debug/BMPRUNLINE", "SVG");
  setObjectName("WinDebug");
  setFont(WindowFont());
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);

  PBInfo->setObjectName("PBInfo");
  PBInfo->setFixedWidth(GutterWidth);
  PBInfo->setCursor(Qt::PointingHandCursor);
  PBDebug->setObjectName("PBDebug");
  PBDebug->setCursor(Qt::IBeamCursor);
  SBHScroll->setObjectName("SBHScroll");
  SBVScroll->setObjectName("SBVScroll");
  for (QWidget* pane : {PBInfo, PBDebug}) {
    pane->setAttribute(Qt::WA_OpaquePaintEvent);
    pane->setContextMenuPolicy(Qt::DefaultContextMenu);
    pane->installEventFilter(this);
  }
  // The scroll bars take no focus, so every key reaches the window.
  for (QScrollBar* bar : {SBHScroll, SBVScroll})
    bar->setFocusPolicy(Qt::NoFocus);
  SBHScroll->setRange(0, DisassemblyRows::MaxHOffset);
  SBHScroll->setPageStep(10);

  auto* panes = new QHBoxLayout;
  panes->setContentsMargins(0, 0, 0, 0);
  panes->setSpacing(0);
  panes->addWidget(PBInfo);
  panes->addWidget(PBDebug, 1);
  panes->addWidget(SBVScroll);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(panes, 1);
  layout->addWidget(SBHScroll);

  connect(SBVScroll, &QScrollBar::actionTriggered, this, &TWinDebug::VerticalAction);
  connect(SBVScroll, &QScrollBar::sliderReleased, this, [this] {
    Model.ScrollBar(DisassemblyRows::Scroll::End);
    Refill();
  });
  connect(SBHScroll, &QScrollBar::valueChanged, this, [this](int value) {
    Model.SetHOffset(value);
    PBDebug->update();
  });

  BuildMenus();
  Model.ResetView();
  // The frame's child window takes its bounds from DebugBounds; a window on its own too.
  const TBounds& bounds = Context.WB.Option.DebugBounds;
  resize(bounds.Width, bounds.Height);
  Refill();
}

TWinDebug::~TWinDebug() = default;

QAction* TWinDebug::MakeAction(const char* name, const QString& caption, const QString& hint) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setStatusTip(hint);
  action->setToolTip(hint.isEmpty() ? WithoutAccelerator(caption) : hint);
  return action;
}

void TWinDebug::BuildMenus() {
  ACDebugSource = MakeAction("ACDebugSource", "源文件方式(&S)", "源文件方式调试");
  ACDebugMix = MakeAction("ACDebugMix", "混合方式(&M)", "混合方式调试");
  ACDebugASM = MakeAction("ACDebugASM", "反汇编方式(&A)", "反汇编方式调试");
  SetShowAddr = MakeAction("SetShowAddr", "设置显示地址(&D)", {});
  ShowFromPC = MakeAction("ShowFromPC", "从PC处开始显示(&P)", {});
  ActionReload = MakeAction("ActionReload", "刷新(&R)", {});
  ShowFromPC->setShortcut(Qt::Key_Space);
  ShowFromPC->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(ShowFromPC);
  int tag = 0;
  for (QAction* mode : {ACDebugSource, ACDebugMix, ACDebugASM}) {
    mode->setCheckable(true);
    connect(mode, &QAction::triggered, this, [this, tag] { SetMode(tag); });
    ++tag;
  }
  connect(SetShowAddr, &QAction::triggered, this, [this] {
    Workbench& wb = Context.WB;
    const std::optional<uint16_t> address = wb.UI.AskAddress(wb.CPU.PC, true);
    if (!address) return;
    // The dialog pumped events: the window is still this one, its model still its own.
    Model.SetTopAddress(*address & 0xFFFF);
    Refill();
  });
  connect(ShowFromPC, &QAction::triggered, this, [this] {
    Model.SetTopAddress(Context.WB.CPU.PC);
    Refill();
  });
  connect(ActionReload, &QAction::triggered, this, &TWinDebug::LoadFromTarget);

  EditMenu = new QMenu("编辑(&E)", this);
  EditMenu->addActions({ACDebugSource, ACDebugMix, ACDebugASM});
  EditMenu->addSeparator();
  EditMenu->addActions({SetShowAddr, ShowFromPC});
  EditMenu->addSeparator();
  EditMenu->addAction(ActionReload);

  auto shell = [this](const char* name) -> QAction* {
    return Context.ShellAction ? Context.ShellAction(QString::fromLatin1(name)) : nullptr;
  };
  auto addShell = [&](std::initializer_list<const char*> names) {
    for (const char* name : names)
      if (QAction* action = shell(name)) PopupMenu->addAction(action);
  };
  PopupMenu = new QMenu(this);
  addShell({"ADebugRun", "ADebugSetCurPC", "ACompileBrowseModule"});
  PopupMenu->addSeparator();
  PopupMenu->addActions({ACDebugSource, ACDebugMix, ACDebugASM});
  PopupMenu->addSeparator();
  PopupMenu->addActions({SetShowAddr, ShowFromPC});
  PopupMenu->addSeparator();
  addShell({"ADebugStep", "ADebugStepOver", "ADebugRunToCursor", "ADebugClearAllBreakPoint",
            "ADebugReset", "ADebugSetPC"});
  PopupMenu->addSeparator();
  SetPCSoftTest = PopupMenu->addMenu("设置PC（软件实验）");
  SetPCSoftTest->setObjectName("SetPCSoftTest");
  SetPCHardTest = PopupMenu->addMenu("设置PC（硬件实验）");
  SetPCHardTest->setObjectName("SetPCHardTest");
  PopupMenu->addSeparator();
  PopupMenu->addAction(ActionReload);
  FillExperiments(SetPCSoftTest, SoftTests, Context.SoftTestClick);
  FillExperiments(SetPCHardTest, HardTests, Context.HardTestClick);
}

void TWinDebug::FillExperiments(QMenu* menu, std::span<const Experiment> entries,
                                const std::function<void(int)>& click) {
  // The tag is the entry's index in its table.
  for (size_t i = 0; i < entries.size(); ++i) {
    QAction* item = menu->addAction(QString::fromUtf8(entries[i].Caption));
    item->setData(static_cast<int>(i));
    connect(item, &QAction::triggered, this, [click, i] {
      if (click) click(static_cast<int>(i));
    });
  }
}

QList<QMenu*> TWinDebug::MergedMenus() const {
  return {EditMenu};
}

void TWinDebug::SetMode(int mode) {
  Model.SelectMode(mode);
  Refill();
}

void TWinDebug::SetCurModule(const TDefModuleInfo* module) {
  Model.CurModule = module;
  Refill();
}

void TWinDebug::ShowAddress(uint16_t address) {
  Model.ShowAddress(address);
  Refill();
}

void TWinDebug::ToggleBreakpointAtCursor() {
  if (Model.ToggleBreakpoint(Model.CursorRow)) RepaintGutter();
}

void TWinDebug::RepaintGutter() {
  PBInfo->update();
}

void TWinDebug::RepaintCodePane() {
  Refill();
}

void TWinDebug::ResetView() {
  Model.ResetView();
  Refill();
}

void TWinDebug::LoadFromTarget() {
  Model.LoadFromTarget();
  Refill();
}

void TWinDebug::Refill() {
  Model.PaneWidth = PBDebug->width();
  Model.PaneHeight = PBDebug->height();
  Model.Prepare(true);
  setWindowTitle(QString::fromStdString(Model.Caption()));
  setAccessibleName(windowTitle());
  const QSignalBlocker blocker(SBVScroll);
  SBVScroll->setRange(0, Model.ScrollMaximum());
  SBVScroll->setPageStep(std::max(Model.LastRow, 1));
  SBVScroll->setValue(Model.ScrollPosition);
  UpdateActions();
  PBInfo->update();
  PBDebug->update();
}

void TWinDebug::UpdateActions() {
  int tag = 0;
  for (QAction* mode : {ACDebugSource, ACDebugMix, ACDebugASM})
    mode->setChecked(Model.Mode == tag++);
  const bool disassembly = Model.Mode == DisassemblyRows::DisassemblyMode;
  for (QAction* action : {SetShowAddr, ShowFromPC, ActionReload})
    action->setEnabled(disassembly);
}

void TWinDebug::VerticalAction(int action) {
  using Scroll = DisassemblyRows::Scroll;
  switch (action) {
  case QAbstractSlider::SliderSingleStepSub: Model.ScrollBar(Scroll::LineUp); break;
  case QAbstractSlider::SliderSingleStepAdd: Model.ScrollBar(Scroll::LineDown); break;
  case QAbstractSlider::SliderPageStepSub: Model.ScrollBar(Scroll::PageUp); break;
  case QAbstractSlider::SliderPageStepAdd: Model.ScrollBar(Scroll::PageDown); break;
  case QAbstractSlider::SliderMove:
    Model.ScrollBar(Scroll::Track, SBVScroll->sliderPosition());
    break;
  default: return; // top and bottom do nothing
  }
  Refill();
  // The action moves by instructions, not by the bar's own steps.
  SBVScroll->setSliderPosition(Model.ScrollPosition);
}

void TWinDebug::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (Shown) return;
  Shown = true;
  const QFontMetrics metrics(font());
  Model.LineHeight = std::max(metrics.height(), 1);
  Model.CharWidth = std::max(metrics.horizontalAdvance(QLatin1Char('W')), 1);
  Model.RowsWhenShown(PBInfo->height());
  LoadFromTarget();
  Context.WB.ReloadViews();
}

void TWinDebug::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!Shown) return;
  Model.RowsWhenResized(PBInfo->height());
  Refill();
}

void TWinDebug::keyPressEvent(QKeyEvent* event) {
  using Key = DisassemblyRows::Key;
  Key key;
  switch (event->key()) {
  case Qt::Key_Escape: key = Key::Escape; break;
  case Qt::Key_Home: key = Key::Home; break;
  case Qt::Key_End: key = Key::End; break;
  case Qt::Key_Left: key = Key::Left; break;
  case Qt::Key_Right: key = Key::Right; break;
  case Qt::Key_Up: key = Key::Up; break;
  case Qt::Key_Down: key = Key::Down; break;
  case Qt::Key_PageUp: key = Key::PageUp; break;
  case Qt::Key_PageDown: key = Key::PageDown; break;
  case Qt::Key_Space: key = Key::Space; break;
  default: QWidget::keyPressEvent(event); return;
  }
  if (Model.Press(key)) {
    const QSignalBlocker blocker(SBHScroll);
    SBHScroll->setValue(Model.HOffset);
    Refill();
  }
  PBDebug->update(); // the caret
}

void TWinDebug::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  CaretVisible = true;
  PBDebug->update();
}

void TWinDebug::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  CaretVisible = false;
  PBDebug->update();
}

bool TWinDebug::eventFilter(QObject* watched, QEvent* event) {
  auto* pane = static_cast<QWidget*>(watched);
  switch (event->type()) {
  case QEvent::Paint: {
    QPainter painter(pane);
    painter.fillRect(pane->rect(), Qt::white);
    painter.setFont(font());
    if (pane == PBInfo)
      PaintGutter(painter);
    else
      PaintCode(painter);
    return true;
  }
  case QEvent::MouseButtonPress: MousePress(pane, static_cast<QMouseEvent*>(event)); return true;
  case QEvent::ContextMenu:
    UpdateActions();
    PopupMenu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  default: return QWidget::eventFilter(watched, event);
  }
}

void TWinDebug::MousePress(QWidget* pane, QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  if (pane == PBInfo) {
    if (event->button() == Qt::LeftButton &&
        Model.ToggleBreakpoint(at.y() / std::max(Model.LineHeight, 1)))
      RepaintGutter();
    return;
  }
  // Any button: a right click moves the cursor row before the context menu opens.
  Model.ClickPane(at.x(), at.y());
  PBDebug->update();
}

const TWinDebug::PaintedText& TWinDebug::TextOfRow(int row) {
  PaintedText& painted = Painted[static_cast<size_t>(row)];
  const std::string& source = Model.Text(row);
  if (painted.HOffset != Model.HOffset || painted.Source != source) {
    painted.Source = source;
    painted.HOffset = Model.HOffset;
    const QString text = QString::fromStdString(source);
    // A row's text is drawn only when it is longer than the part cut off at the left.
    painted.Visible = text.size() > Model.HOffset;
    painted.Text.setTextFormat(Qt::PlainText);
    painted.Text.setText(painted.Visible ? text.mid(Model.HOffset) : QString());
    painted.Text.prepare(QTransform(), font());
  }
  return painted;
}

void TWinDebug::PaintCode(QPainter& painter) {
  const int height = Model.LineHeight;
  const int width = PBDebug->width();
  for (int r = 0; r <= Model.LastRow; ++r) {
    const int y = r * height + 2;
    const int32_t address = Model.Rows[static_cast<size_t>(r)].RowAddr;
    if (address != -1 && address == Context.WB.CPU.PC)
      painter.fillRect(0, y, width, height, PCRowShade);
    const PaintedText& text = TextOfRow(r);
    if (!text.Visible) continue;
    painter.setPen(Model.Kind(r) == DisassemblyRows::TextKind::MixedSource ? MixedSourceColour
                                                                           : Qt::black);
    painter.drawStaticText(0, y, text.Text);
  }
  if (CaretVisible)
    painter.fillRect(Model.CursorCol * Model.CharWidth, Model.CursorRow * height + 2, 2, height,
                     Qt::black);
}

void TWinDebug::PaintGutter(QPainter& painter) {
  const int height = Model.LineHeight;
  const QFontMetrics metrics(painter.font());
  painter.setPen(Qt::black);
  for (int r = 0; r <= Model.LastRow; ++r) {
    const DisassemblyRows::GutterRow g = Model.Gutter(r);
    const int y = r * height;
    if (g.RunLine) painter.drawPixmap(1, y + 6, RunLineGlyph);
    if (g.BreakPoint) painter.drawPixmap(4, y + 3, BreakPointGlyph);
    if (g.CurrentPC) painter.drawPixmap(22, y + 3, CurrentPCGlyph);
    if (g.Number > 0)
      painter.drawText(40, y + 2 + metrics.ascent(), QString::asprintf("%4d", g.Number));
  }
}
