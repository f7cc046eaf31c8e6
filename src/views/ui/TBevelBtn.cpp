#include "TBevelBtn.h"

#include <QMouseEvent>
#include <QPainter>

TBevelBtn::TBevelBtn(QWidget* parent) : QLabel(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAlignment(Qt::AlignCenter);
  resize(74, 22);
}

void TBevelBtn::SetStyle(TBevelBtnStyle style) {
  if (style == BevelStyle) return;
  BevelStyle = style;
  update();
}

void TBevelBtn::SetCaptionChanged(bool changed) {
  if (changed == Changed) return;
  Changed = changed;
  update();
}

void TBevelBtn::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  const QWidget* parent = parentWidget();
  const QColor background = Changed || !parent ? palette().color(QPalette::Window)
                                               : parent->palette().color(QPalette::Window);
  painter.fillRect(inner, background);
  painter.setPen(Changed ? QColor(0xFF, 0, 0) : QColor(Qt::black));
  const QFontMetrics metrics(font());
  const QRect textRect(inner.left(), (height() - metrics.height()) / 2, inner.width(),
                       metrics.height());
  painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, text());
  const QColor light = palette().color(QPalette::Light);
  const QColor shadow = palette().color(QPalette::Dark);
  const bool raised = BevelStyle == bsRaised;
  const int right = width() - 1, bottom = height() - 1;
  painter.setPen(raised ? light : shadow);
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  painter.setPen(raised ? shadow : light);
  painter.drawLine(right, 0, right, bottom);
  painter.drawLine(0, bottom, right, bottom);
}

void TBevelBtn::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (OnClick && rect().contains(event->position().toPoint())) OnClick();
}
