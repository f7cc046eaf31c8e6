#include "TSourceHighlighter.h"

namespace {

QTextCharFormat FormatOf(TokenKind kind) {
  QTextCharFormat format;
  switch (kind) {
  case TokenKind::Mnemonic: format.setForeground(QColor(0x00, 0x00, 0xC0)); break;
  case TokenKind::Register: format.setForeground(QColor(0x80, 0x00, 0x80)); break;
  case TokenKind::Directive: format.setForeground(QColor(0x00, 0x60, 0x80)); break;
  case TokenKind::Number: format.setForeground(QColor(0xA0, 0x50, 0x00)); break;
  case TokenKind::String: format.setForeground(QColor(0xA0, 0x00, 0x00)); break;
  case TokenKind::Comment: format.setForeground(QColor(0x00, 0x80, 0x00)); break;
  case TokenKind::Keyword: format.setForeground(QColor(0x00, 0x00, 0xC0)); break;
  case TokenKind::Preprocessor: format.setForeground(QColor(0x60, 0x60, 0x60)); break;
  }
  return format;
}

} // namespace

TSourceHighlighter::TSourceHighlighter(QTextDocument* document, SourceLanguage language)
    : QSyntaxHighlighter(document), Language(language) {}

void TSourceHighlighter::SetLanguage(SourceLanguage language) {
  if (language == Language) return;
  Language = language;
  rehighlight();
}

void TSourceHighlighter::highlightBlock(const QString& text) {
  bool inComment = previousBlockState() == 1;
  const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<size_t>(text.size()));
  for (const SourceToken& token : TokensOfLine(line, Language, inComment))
    setFormat(token.Start, token.Length, FormatOf(token.Kind));
  setCurrentBlockState(inComment ? 1 : 0);
}
