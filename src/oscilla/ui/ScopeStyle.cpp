#include "ScopeStyle.h"

#include <QFrame>
#include <QLabel>

QColor ToQColor(uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

uint32_t FromQColor(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
         static_cast<uint32_t>(c.blue()) << 16;
}

QIcon Glyph(const char* name) {
  return QIcon(QStringLiteral(":/glyphs/%1.svg").arg(name));
}

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

void StylePanel(QFrame* panel) {
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setAutoFillBackground(true);
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, p.color(QPalette::Button));
  panel->setPalette(p);
}

QLabel* MakeHeading(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont f = label->font();
  f.setPointSize(10);
  f.setBold(true);
  f.setItalic(true);
  f.setUnderline(true);
  label->setFont(f);
  return label;
}

QFont FieldLabelFont() {
  QFont f;
  f.setPointSize(8);
  f.setBold(true);
  return f;
}
