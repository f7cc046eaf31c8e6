#pragma once

#include <QLabel>

#include <functional>

enum TBevelBtnStyle { bsLowered = 0, bsRaised = 1 };

// A small label with a 1-pixel bevel; a changed value is drawn in red. It takes no focus.
class TBevelBtn : public QLabel {
public:
  explicit TBevelBtn(QWidget* parent = nullptr);

  TBevelBtnStyle Style() const { return BevelStyle; }
  void SetStyle(TBevelBtnStyle style);
  bool CaptionChanged() const { return Changed; }
  void SetCaptionChanged(bool changed);

  int Tag = 0;
  std::function<void()> OnClick;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  TBevelBtnStyle BevelStyle = bsRaised;
  bool Changed = false;
};
