#pragma once

#include <QPlainTextEdit>
#include <QSet>

// The editor's edit control: plain text with a line-number margin on the left,
// where the lines of the last build's messages are marked. Line numbers are
// what the build messages and the go-to-line dialog talk in.
class TSourceTextEdit : public QPlainTextEdit {
  Q_OBJECT
public:
  // At most this many characters; typing or pasting past it is refused.
  static constexpr int MaxCharacters = 524288;

  explicit TSourceTextEdit(QWidget* parent = nullptr);

  // 1-based lines marked in the margin until the next build.
  void SetMarkedLines(const QSet<int>& lines);
  const QSet<int>& MarkedLines() const { return Marked; }
  int MarginWidth() const;

protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

private:
  friend class TLineNumberMargin;
  void PaintMargin(QPaintEvent* event);
  void UpdateMargin(const QRect& rect, int dy);
  bool Fits(int inserted) const;

  QWidget* Margin;
  QSet<int> Marked;
};
