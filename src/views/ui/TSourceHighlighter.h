#pragma once

#include "SourceTokens.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours 8051 assembler or C in the editor's display; the text stays plain.
class TSourceHighlighter : public QSyntaxHighlighter {
public:
  TSourceHighlighter(QTextDocument* document, SourceLanguage language);
  void SetLanguage(SourceLanguage language);

protected:
  void highlightBlock(const QString& text) override;

private:
  SourceLanguage Language;
};
