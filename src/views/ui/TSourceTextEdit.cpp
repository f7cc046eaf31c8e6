#include "TSourceTextEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>

// The margin beside the text; the edit control paints it.
class TLineNumberMargin : public QWidget {
public:
  explicit TLineNumberMargin(TSourceTextEdit* editor) : QWidget(editor), Editor(editor) {}
  QSize sizeHint() const override { return {Editor->MarginWidth(), 0}; }

protected:
  void paintEvent(QPaintEvent* event) override { Editor->PaintMargin(event); }

private:
  TSourceTextEdit* Editor;
};

TSourceTextEdit::TSourceTextEdit(QWidget* parent)
    : QPlainTextEdit(parent), Margin(new TLineNumberMargin(this)) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(false);
  connect(this, &QPlainTextEdit::blockCountChanged, this,
          [this] { setViewportMargins(MarginWidth(), 0, 0, 0); });
  connect(this, &QPlainTextEdit::updateRequest, this, &TSourceTextEdit::UpdateMargin);
  setViewportMargins(MarginWidth(), 0, 0, 0);
}

int TSourceTextEdit::MarginWidth() const {
  int digits = 1;
  for (int n = qMax(1, blockCount()); n >= 10; n /= 10)
    ++digits;
  return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * qMax(3, digits);
}

void TSourceTextEdit::SetMarkedLines(const QSet<int>& lines) {
  Marked = lines;
  Margin->update();
}

void TSourceTextEdit::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect r = contentsRect();
  Margin->setGeometry(QRect(r.left(), r.top(), MarginWidth(), r.height()));
}

void TSourceTextEdit::UpdateMargin(const QRect& rect, int dy) {
  if (dy)
    Margin->scroll(0, dy);
  else
    Margin->update(0, rect.y(), Margin->width(), rect.height());
  if (rect.contains(viewport()->rect())) setViewportMargins(MarginWidth(), 0, 0, 0);
}

void TSourceTextEdit::PaintMargin(QPaintEvent* event) {
  QPainter painter(Margin);
  painter.fillRect(event->rect(), QColor(0xF0, 0xF0, 0xF0));
  painter.setFont(font());
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  const int lineHeight = fontMetrics().height();
  while (block.isValid() && top <= event->rect().bottom()) {
    const int height = qRound(blockBoundingRect(block).height());
    if (block.isVisible() && top + height >= event->rect().top()) {
      const int line = block.blockNumber() + 1;
      if (Marked.contains(line)) {
        painter.fillRect(0, top, Margin->width(), lineHeight, QColor(0xFF, 0xC0, 0xC0));
        painter.setPen(Qt::red);
      } else {
        painter.setPen(Qt::darkGray);
      }
      painter.drawText(0, top, Margin->width() - 5, lineHeight, Qt::AlignRight,
                       QString::number(line));
    }
    block = block.next();
    top += height;
  }
}

bool TSourceTextEdit::Fits(int inserted) const {
  const QTextCursor cursor = textCursor();
  const int selected = cursor.selectionEnd() - cursor.selectionStart();
  return document()->characterCount() - 1 - selected + inserted <= MaxCharacters;
}

void TSourceTextEdit::keyPressEvent(QKeyEvent* event) {
  const int inserted = event->text().isEmpty() || event->text().at(0).isPrint() ||
                               event->key() == Qt::Key_Return || event->key() == Qt::Key_Tab
                           ? static_cast<int>(event->text().size())
                           : 0;
  if (inserted > 0 && !Fits(inserted)) {
    QApplication::beep();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TSourceTextEdit::insertFromMimeData(const QMimeData* source) {
  if (source->hasText() && !Fits(static_cast<int>(source->text().size()))) {
    QApplication::beep();
    return;
  }
  QPlainTextEdit::insertFromMimeData(source);
}
