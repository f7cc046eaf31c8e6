#include "TWinMemory.h"

#include "TViewStyle.h"
#include "TViewTarget.h"
#include "Workbench.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

namespace {

const QColor ChangedColor(0xFF, 0, 0);
const QColor DataLineColor(0xC0, 0xC0, 0xC0);
const QColor AsciiColor(0x80, 0x80, 0x80);

} // namespace

TWinMemory::TWinMemory(TViewContext& context, int tag, QWidget* parent)
    : QWidget(parent), Context(context), WinTag(tag), VScroll(new QScrollBar(Qt::Vertical, this)),
      HScroll(new QScrollBar(Qt::Horizontal, this)), SpaceGroup(new QActionGroup(this)),
      EditMenu(new QMenu(QStringLiteral("编辑(&E)"), this)), PopupMenu(new QMenu(this)),
      Grid(TargetOf(context.WB), *this),
      Slot(tag == 2 ? context.WB.Views.Memory2 : context.WB.Views.Memory1, this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(false);
  setFont(ViewFont());
  const QFontMetrics metrics(font());
  Grid.SetCharSize(metrics.horizontalAdvance(QLatin1Char('W')), metrics.height());
  EditMenu->setAccessibleName(AccessibleText(EditMenu->title()));

  const struct {
    QAction*& Action;
    const char* Name;
    const char* Caption;
  } spaces[] = {{ActionROM, "ActionROM", "程序存储区(&O)"},
                {ActionRAM, "ActionRAM", "数据存储区(&A)"},
                {ActionInCPU, "ActionInCPU", "CPU内部存储区(&I)"},
                {ActionReg, "ActionReg", "特殊寄存器区(&R)"}};
  int space = 0;
  for (const auto& s : spaces) {
    s.Action = NewViewAction(SpaceGroup, s.Name, s.Caption);
    s.Action->setCheckable(true);
    s.Action->setData(space++);
  }
  ActionROM->setChecked(true);
  connect(SpaceGroup, &QActionGroup::triggered, this, &TWinMemory::SelectSpace);
  ActionSetStartAddr = NewViewAction(this, "ActionSetStartAddr", "显示地址(&S)");
  connect(ActionSetStartAddr, &QAction::triggered, this, &TWinMemory::SetStartAddrExecute);
  ActionReload = NewViewAction(this, "ActionReload", "刷新(&R)");
  connect(ActionReload, &QAction::triggered, this, &TWinMemory::ReloadExecute);
  ActionShowAscii = NewViewAction(this, "ActionShowAscii", "显示ASCII");
  ActionShowAscii->setCheckable(true);
  connect(ActionShowAscii, &QAction::toggled, this, [this](bool on) { Grid.SetShowAscii(on); });
  FillMenu(EditMenu);
  FillMenu(PopupMenu);

  VScroll->setAccessibleName(QStringLiteral("垂直滚动条"));
  HScroll->setAccessibleName(QStringLiteral("水平滚动条"));
  VScroll->setFocusPolicy(Qt::NoFocus);
  HScroll->setFocusPolicy(Qt::NoFocus);
  connect(VScroll, &QScrollBar::valueChanged, this, &TWinMemory::VerticalScroll);
  connect(VScroll, &QScrollBar::sliderReleased, this, [this] { VerticalScroll(VScroll->value()); });
  connect(HScroll, &QScrollBar::valueChanged, this, [this](int col) {
    Grid.SetLeftCol(col);
    CaretMoved();
  });
  ScrollPositionsChanged();
  setWindowTitle(QString::fromStdString(Grid.Caption()));
  CaretMoved();
}

void TWinMemory::FillMenu(QMenu* menu) {
  menu->addActions(SpaceGroup->actions());
  menu->addSeparator();
  menu->addAction(ActionSetStartAddr);
  menu->addSeparator();
  menu->addAction(ActionReload);
  menu->addSeparator();
  menu->addAction(ActionShowAscii);
}

void TWinMemory::SelectSpace(QAction* action) {
  Grid.SelectSpace(action->data().toInt());
  setWindowTitle(QString::fromStdString(Grid.Caption()));
  CaretMoved();
}

void TWinMemory::SetStartAddrExecute() {
  const std::optional<uint16_t> address =
      Context.WB.UI.AskAddress(static_cast<uint16_t>(Grid.StartAddr()), false);
  if (!address) return;
  Grid.SetStartAddr(*address);
  CaretMoved();
}

void TWinMemory::ReloadExecute() {
  Grid.LoadFromTarget();
  update();
}

void TWinMemory::VerticalScroll(int position) {
  if (VScroll->isSliderDown()) {
    setWindowTitle(QString::fromStdString(MemoryRows::ScrollCaption(position)));
    return;
  }
  Grid.ScrollTo(position);
  setWindowTitle(QString::fromStdString(Grid.Caption()));
}

void TWinMemory::ScrollPositionsChanged() {
  const QSignalBlocker blockV(VScroll), blockH(HScroll);
  VScroll->setRange(0, Grid.SpaceRows() - 1);
  VScroll->setPageStep(Grid.RowCount() - 1);
  VScroll->setValue(Grid.StartAddr() / 16);
  HScroll->setRange(1, MemoryRows::ColCount - 1);
  HScroll->setValue(Grid.LeftCol());
}

QRect TWinMemory::CellRect(int col, int row) const {
  const int left = Grid.ColumnLeft(col);
  if (left < 0) return {};
  return {left, Grid.RowTop(row), Grid.ColumnWidth(col), Grid.RowHeight()};
}

void TWinMemory::RepaintCell(int col, int row) {
  update(CellRect(col, row));
}

void TWinMemory::CaretMoved() {
  update(CaretRect);
  CaretRect = QRect(Grid.CaretX(), Grid.CaretY(), 2, Grid.CharHeight());
  update(CaretRect);
}

void TWinMemory::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int bar = HScroll->sizeHint().height();
  const int wide = VScroll->sizeHint().width();
  const int fitted = Grid.FitRows(height(), bar);
  VScroll->setGeometry(width() - wide, 0, wide, height() - bar);
  HScroll->setGeometry(0, height() - bar, width() - wide, bar);
  CaretMoved();
  // Whole rows only: the child window takes the height that fits them.
  if (fitted == height()) return;
  QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (frame && !frame->isMaximized() && !frame->isMinimized())
    frame->resize(frame->width(), frame->height() + fitted - height());
  else if (!frame && isWindow())
    resize(width(), fitted);
}

void TWinMemory::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRect(event->rect());
  painter.fillRect(event->rect(), Qt::white);
  for (int row = 0; row < Grid.RowCount(); ++row) {
    PaintCell(painter, 0, row);
    for (int col = Grid.LeftCol(); col < MemoryRows::ColCount; ++col)
      PaintCell(painter, col, row);
  }
  if (hasFocus()) painter.fillRect(CaretRect, Qt::black);
}

void TWinMemory::PaintCell(QPainter& painter, int col, int row) {
  const QRect cell = CellRect(col, row);
  const QRect withLines = cell.adjusted(0, 0, 1, 1);
  if (cell.isEmpty() || !painter.clipRegion().intersects(withLines)) return;
  const bool fixed = col == 0 || row == 0;
  if (fixed) {
    painter.fillRect(cell, palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(cell.topLeft(), cell.topRight());
    painter.drawLine(cell.topLeft(), cell.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    painter.drawLine(cell.topRight(), cell.bottomRight());
  } else {
    painter.fillRect(cell, Qt::white);
  }
  painter.setPen(fixed ? QColor(Qt::black) : DataLineColor);
  painter.drawLine(withLines.bottomLeft(), withLines.bottomRight());
  painter.drawLine(withLines.topRight(), withLines.bottomRight());
  if (col == MemoryRows::ColCount - 1 && row > 0) {
    PaintAscii(painter, cell, row);
    return;
  }
  const QString text = QString::fromStdString(Grid.CellText(col, row));
  if (text.isEmpty()) return;
  const QFontMetrics metrics(font());
  painter.setPen(Grid.CellChanged(col, row) ? ChangedColor : QColor(Qt::black));
  const int x = cell.left() + (cell.width() - metrics.horizontalAdvance(text)) / 2;
  painter.drawText(x, cell.top() + 3 + metrics.ascent(), text);
}

void TWinMemory::PaintAscii(QPainter& painter, const QRect& cell, int row) {
  const QString text = QString::fromStdString(Grid.CellText(MemoryRows::ColCount - 1, row));
  if (text.isEmpty()) return;
  const QFontMetrics metrics(font());
  int x = cell.left() + (cell.width() - metrics.horizontalAdvance(text)) / 2;
  for (int i = 0; i < text.size(); ++i) {
    painter.setPen(Grid.CellChanged(i + 1, row) ? ChangedColor : AsciiColor);
    painter.drawText(x, cell.top() + 3 + metrics.ascent(), text.mid(i, 1));
    x += metrics.horizontalAdvance(text.mid(i, 1));
  }
}

void TWinMemory::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  switch (key) {
  case Qt::Key_Left: Grid.MoveNibble(Grid.EditNibble() - 1); break;
  case Qt::Key_Right: Grid.MoveNibble(Grid.EditNibble() + 1); break;
  case Qt::Key_Up: Grid.MoveRow(Grid.EditRow() - 1); break;
  case Qt::Key_Down: Grid.MoveRow(Grid.EditRow() + 1); break;
  default: {
    const int digit = MemoryRows::DigitOfKey(key);
    if (digit < 0 || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      QWidget::keyPressEvent(event);
      return;
    }
    Grid.TypeDigit(digit);
  }
  }
  Grid.KeepEditCellVisible(width() - VScroll->width());
  CaretMoved();
}

void TWinMemory::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (Grid.Click(event->position().toPoint().x(), event->position().toPoint().y())) CaretMoved();
}

void TWinMemory::contextMenuEvent(QContextMenuEvent* event) {
  PopupMenu->exec(event->globalPos());
}

void TWinMemory::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Grid.LoadFromTarget();
}

void TWinMemory::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update(CaretRect);
}

void TWinMemory::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update(CaretRect);
}
