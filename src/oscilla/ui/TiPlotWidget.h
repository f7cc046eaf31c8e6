#pragma once

#include <QWidget>

class TiScope;

// The plot surface: black background, the 10 x 8 grid with minor ticks, the
// traces of the last sweep, reference lines, the time position marker, the
// trigger level marker, readouts, measurements, the status text and the data
// cursor. Reference lines, the marker and the cursor's pointers can
// be dragged with the mouse.
class TiPlotWidget : public QWidget {
public:
  TiPlotWidget(TiScope& scope, QWidget* parent = nullptr);

  // Paints the whole surface into `painter` over `rect`: the screen, pictures
  // and printing all use it. Texts are sized in the painter's logical pixels, so
  // a scaled painter (a printed page) scales them with the lines.
  void Render(QPainter& painter, const QRect& rect) const;
  // The screen font at its pixel size, bold or not.
  QFont PlotFont(bool bold) const;
  // The grid's area inside a surface of this size.
  static QRectF DataView(const QRectF& rect);

protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  enum class DragKind { None, RefLine, Marker, Pointer };
  void PaintGrid(QPainter& p, const QRectF& view) const;
  void PaintTraces(QPainter& p, const QRectF& view) const;
  void PaintRefLines(QPainter& p, const QRectF& view) const;
  void PaintMarker(QPainter& p, const QRectF& view) const;
  void PaintLevelMarker(QPainter& p, const QRectF& view) const;
  void PaintReadouts(QPainter& p, const QRectF& view) const;
  void PaintMeasurements(QPainter& p, const QRectF& view) const;
  void PaintStatus(QPainter& p, const QRectF& view) const;
  void PaintCursor(QPainter& p, const QRectF& view) const;
  double PlaceAt(double x) const;
  double HeightAt(double y) const;

  TiScope& Scope;
  DragKind Dragging = DragKind::None;
  int DragIndex = 0;
  double DragValue = 0; // the dragged line's height or the marker's place
};
