#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>
#include <cstdint>
#include <string>

class QFrame;
class QLabel;
class QWidget;

// Shared looks of the scope's panels: colours from 0x00BBGGRR values, the glyphs,
// panel frames, headings and field labels.
QColor ToQColor(uint32_t bgr);
uint32_t FromQColor(const QColor& color);
QIcon Glyph(const char* name);
QString Utf8(const std::string& text);
// Button-face background inside a frame.
void StylePanel(QFrame* panel);
// A heading in 10-point bold italic underlined type.
QLabel* MakeHeading(const QString& text, QWidget* parent);
// A field label in 8-point bold type.
QFont FieldLabelFont();
