#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

// Grabs a window into views-png/<name>.png beside the test program, for a person to look at,
// and answers questions about the colours in it.
inline QImage SavePicture(QWidget& widget, const QString& name) {
  QImage image = widget.grab().toImage();
  QDir().mkpath(QStringLiteral("views-png"));
  image.save(QStringLiteral("views-png/%1.png").arg(name));
  return image;
}

inline bool IsRed(QRgb pixel) {
  return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

inline int CountPixels(const QImage& image, const QRect& area, bool (*test)(QRgb)) {
  int count = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (test(image.pixel(x, y))) ++count;
  return count;
}

inline bool IsDark(QRgb pixel) {
  return qGray(pixel) < 100;
}

// The entries of a menu as their texts; separators as empty texts.
inline QStringList MenuTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions())
    texts << a->text();
  return texts;
}
