#pragma once

#include <QAction>
#include <QFont>
#include <QString>

// What the debugger's windows share: their font and how their actions are made.

// "宋体", 14 pixels; Qt substitutes the installed CJK font.
inline QFont ViewFont() {
  QFont font(QStringLiteral("宋体"));
  font.setPixelSize(14);
  return font;
}

// A caption as screen readers read it: without the accelerator's "&".
inline QString AccessibleText(const QString& caption) {
  return QString(caption).remove(QLatin1Char('&'));
}

// An action named as the window's code names it, with its caption.
inline QAction* NewViewAction(QObject* parent, const char* name, const char* caption) {
  auto* action = new QAction(QString::fromUtf8(caption), parent);
  action->setObjectName(QLatin1String(name));
  return action;
}
