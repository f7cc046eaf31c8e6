#include "TiPlotWidget.h"

#include "ScopeStyle.h"
#include "TiScope.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int Margin = 6;
constexpr double GrabPixels = 5;

double X(const QRectF& view, double place) {
  return view.left() + place * view.width();
}
double Y(const QRectF& view, double height) {
  return view.bottom() - height / 100 * view.height();
}

// The marker sits at height 3 of the grid's 0 .. 100 scale.
QRectF MarkerRect(const QRectF& view, double place) {
  return QRectF(X(view, place) - 4, Y(view, 3) - 8, 8, 8);
}

} // namespace

TiPlotWidget::TiPlotWidget(TiScope& scope, QWidget* parent) : QWidget(parent), Scope(scope) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
}

QRectF TiPlotWidget::DataView(const QRectF& rect) {
  return rect.adjusted(Margin, Margin, -Margin, -Margin);
}

void TiPlotWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Render(p, rect());
}

QFont TiPlotWidget::PlotFont(bool bold) const {
  QFont f = font();
  f.setPixelSize(QFontInfo(font()).pixelSize());
  f.setBold(bold);
  return f;
}

void TiPlotWidget::Render(QPainter& p, const QRect& rect) const {
  p.save();
  p.setFont(PlotFont(false));
  p.fillRect(rect, Qt::black);
  const QRectF view = DataView(rect);
  PaintGrid(p, view);
  p.setClipRect(view);
  PaintRefLines(p, view);
  PaintTraces(p, view);
  PaintMarker(p, view);
  PaintLevelMarker(p, view);
  PaintReadouts(p, view);
  PaintMeasurements(p, view);
  PaintStatus(p, view);
  PaintCursor(p, view);
  p.restore();
}

void TiPlotWidget::PaintGrid(QPainter& p, const QRectF& view) const {
  const QColor grid = ToQColor(Scope.Display.GridColor);
  p.setPen(QPen(grid, 1, Qt::DotLine));
  for (int i = 1; i < 10; ++i)
    p.drawLine(QPointF(X(view, i / 10.0), view.top()), QPointF(X(view, i / 10.0), view.bottom()));
  for (int i = 1; i < 8; ++i)
    p.drawLine(QPointF(view.left(), Y(view, i * 12.5)), QPointF(view.right(), Y(view, i * 12.5)));
  p.setPen(QPen(grid, 1));
  p.drawRect(view);
  // Four minor ticks in every division, along the centre lines and the border.
  const double cx = X(view, 0.5), cy = Y(view, 50), tick = 3;
  for (int i = 0; i <= 50; ++i) {
    const double x = X(view, i / 50.0);
    for (double y : {view.top(), cy, view.bottom()})
      p.drawLine(QPointF(x, y - tick), QPointF(x, y + tick));
  }
  for (int i = 0; i <= 40; ++i) {
    const double y = Y(view, i * 2.5);
    for (double x : {view.left(), cx, view.right()})
      p.drawLine(QPointF(x - tick, y), QPointF(x + tick, y));
  }
}

void TiPlotWidget::PaintTraces(QPainter& p, const QRectF& view) const {
  const TiPlotAxis& time = Scope.Plot.TimeAxis;
  if (time.Span <= 0) return;
  QPolygonF line;
  for (int c = 0; c < Scope.ChannelCount(); ++c) {
    const TiScopeChannel& ch = Scope.ChannelAt(c);
    const TiPlotTrace& trace = ch.Trace;
    if (!ch.TraceVisible || trace.Values.empty() || ch.Axis().Span <= 0) continue;
    // Points are placed by the shared time axis and the channel's own axis.
    const double x0 = X(view, (trace.StartTime - time.Min) / time.Span);
    const double dx = trace.Interval / time.Span * view.width();
    const double yScale = view.height() / ch.Axis().Span;
    const double yBase = view.bottom() + ch.Axis().Min * yScale;
    line.resize(static_cast<qsizetype>(trace.Values.size()));
    for (size_t k = 0; k < trace.Values.size(); ++k)
      line[static_cast<qsizetype>(k)] = QPointF(x0 + k * dx, yBase - trace.Values[k] * yScale);
    p.setPen(QPen(ToQColor(ch.Color), ch.TraceLineWidth));
    p.drawPolyline(line);
  }
}

void TiPlotWidget::PaintRefLines(QPainter& p, const QRectF& view) const {
  for (int c = 0; c < Scope.ChannelCount(); ++c) {
    const TiScopeChannel& ch = Scope.ChannelAt(c);
    if (!ch.RefLineShow) continue;
    const bool dragged = Dragging == DragKind::RefLine && DragIndex == c;
    const double y = Y(view, dragged ? DragValue : ch.RefLineHeight());
    p.setPen(QPen(ToQColor(ch.Color), 1, Qt::DotLine));
    p.drawLine(QPointF(view.left(), y), QPointF(view.right(), y));
  }
}

void TiPlotWidget::PaintMarker(QPainter& p, const QRectF& view) const {
  if (!Scope.Display.HorzScrollShow) return;
  const double place = Dragging == DragKind::Marker ? DragValue : Scope.MarkerPlace();
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(MarkerRect(view, place));
}

// A small triangle on the right edge, pointing in at the trigger level.
void TiPlotWidget::PaintLevelMarker(QPainter& p, const QRectF& view) const {
  const std::optional<double> height = Scope.TriggerLevelHeight();
  if (!height) return;
  const double y = Y(view, std::clamp(*height, 0.0, 100.0));
  const double size = p.fontMetrics().height() / 3.0;
  const QPointF tip(view.right() - 2 * size, y);
  p.setPen(Qt::NoPen);
  p.setBrush(ToQColor(Scope.ChannelAt(Scope.Trigger.SourceIndex()).Color));
  p.drawPolygon(QPolygonF{tip, QPointF(view.right(), y - size), QPointF(view.right(), y + size)});
  p.setBrush(Qt::NoBrush);
}

void TiPlotWidget::PaintReadouts(QPainter& p, const QRectF& view) const {
  if (!Scope.Display.TextShow) return;
  p.setFont(PlotFont(true));
  const double top = view.top() + 0.07 * view.height();
  p.setPen(Qt::white);
  p.drawText(QPointF(view.left() + 0.90 * view.width(), top), Utf8(Scope.TimeBaseReadout()));
  for (int c = 0; c < Scope.ChannelCount(); ++c) {
    p.setPen(ToQColor(Scope.ChannelAt(c).Color));
    p.drawText(QPointF(view.left() + (c * 20 + 3) / 100.0 * view.width(), top),
               Utf8(Scope.ChannelReadout(c)));
  }
}

// Under the readouts' line, the items of each visible channel in its colour,
// flowing onto further lines where the plot is narrow.
void TiPlotWidget::PaintMeasurements(QPainter& p, const QRectF& view) const {
  if (!Scope.Display.MeasurementsShow) return;
  p.setFont(PlotFont(false));
  const QFontMetricsF metrics = p.fontMetrics();
  const double left = view.left() + 0.03 * view.width(), gap = metrics.horizontalAdvance("  ");
  double y = view.top() + 0.07 * view.height();
  for (int c = 0; c < Scope.ChannelCount(); ++c) {
    if (!Scope.ChannelAt(c).TraceVisible) continue;
    p.setPen(ToQColor(Scope.ChannelAt(c).Color));
    double x = view.right(); // the first item starts a line
    for (const std::string& item : Scope.MeasurementReadout(c)) {
      const QString text = Utf8(item);
      const double width = metrics.horizontalAdvance(text);
      if (x > left && x + width > view.right() - gap) {
        x = left;
        y += metrics.height();
      }
      p.drawText(QPointF(x, y), text);
      x += width + gap;
    }
  }
}

void TiPlotWidget::PaintStatus(QPainter& p, const QRectF& view) const {
  const QString text = Utf8(ScopeStatusText(Scope.Plot.Status));
  if (text.isEmpty()) return;
  p.setFont(PlotFont(true));
  const QFontMetricsF metrics = p.fontMetrics();
  const double pad = metrics.height() / 4;
  QRectF box(0, 0, metrics.horizontalAdvance(text) + 2 * pad, metrics.height() + pad);
  box.moveBottomRight(view.bottomRight() - QPointF(pad, pad));
  const QColor colour = Scope.Plot.Status == TScopeStatus::Silent              ? QColor(255, 64, 64)
                        : Scope.Plot.Status == TScopeStatus::WaitingForTrigger ? QColor(255, 255, 0)
                                                                               : QColor(0, 255, 0);
  p.fillRect(box, Qt::black);
  p.setPen(QPen(colour, 1));
  p.drawRect(box);
  p.drawText(box, Qt::AlignCenter, text);
}

void TiPlotWidget::PaintCursor(QPainter& p, const QRectF& view) const {
  if (!Scope.Plot.CursorEnabled) return;
  const QColor yellow = ToQColor(clYellow);
  p.setPen(QPen(yellow, 3));
  for (double place : Scope.Plot.CursorPointers)
    p.drawLine(QPointF(X(view, place), view.top()), QPointF(X(view, place), view.bottom()));
  const TiCursorReadout r = Scope.CursorReadout();
  const QString lines[] = {QStringLiteral("1: %1  %2").arg(Utf8(r.Times[0]), Utf8(r.Values[0])),
                           QStringLiteral("2: %1  %2").arg(Utf8(r.Times[1]), Utf8(r.Values[1])),
                           QStringLiteral("1/ΔT: %1").arg(Utf8(r.Frequency))};
  p.setPen(yellow);
  p.setFont(PlotFont(false));
  const double lineHeight = p.fontMetrics().height();
  double y = view.bottom() - 3 * lineHeight - 4;
  for (const QString& text : lines)
    p.drawText(QPointF(view.left() + 6, y += lineHeight), text);
}

double TiPlotWidget::PlaceAt(double x) const {
  const QRectF view = DataView(rect());
  return (x - view.left()) / view.width();
}

double TiPlotWidget::HeightAt(double y) const {
  const QRectF view = DataView(rect());
  return (view.bottom() - y) / view.height() * 100;
}

void TiPlotWidget::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  const QRectF view = DataView(rect());
  Dragging = DragKind::None;
  if (Scope.Plot.CursorEnabled) {
    for (int k = 0; k < 2; ++k)
      if (std::fabs(at.x() - X(view, Scope.Plot.CursorPointers[k])) <= GrabPixels) {
        Dragging = DragKind::Pointer;
        DragIndex = k;
        return;
      }
  }
  if (Scope.Display.HorzScrollShow &&
      MarkerRect(view, Scope.MarkerPlace()).adjusted(-3, -3, 3, 3).contains(at)) {
    Dragging = DragKind::Marker;
    DragValue = Scope.MarkerPlace();
    return;
  }
  for (int c = 0; c < Scope.ChannelCount(); ++c) {
    const TiScopeChannel& ch = Scope.ChannelAt(c);
    if (ch.RefLineShow && std::fabs(at.y() - Y(view, ch.RefLineHeight())) <= GrabPixels) {
      Dragging = DragKind::RefLine;
      DragIndex = c;
      DragValue = ch.RefLineHeight();
      return;
    }
  }
}

void TiPlotWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  switch (Dragging) {
  case DragKind::None: return;
  case DragKind::RefLine: DragValue = std::clamp(HeightAt(at.y()), -50.0, 150.0); break;
  case DragKind::Marker: DragValue = std::clamp(PlaceAt(at.x()), 0.0, 1.0); break;
  case DragKind::Pointer:
    Scope.Plot.CursorPointers[DragIndex] = std::clamp(PlaceAt(at.x()), 0.0, 1.0);
    break;
  }
  update();
}

void TiPlotWidget::mouseReleaseEvent(QMouseEvent* event) {
  mouseMoveEvent(event);
  const DragKind done = Dragging;
  Dragging = DragKind::None;
  if (done == DragKind::RefLine) Scope.DragRefLine(DragIndex, DragValue);
  if (done == DragKind::Marker) Scope.DragMarker(DragValue);
  update();
}
