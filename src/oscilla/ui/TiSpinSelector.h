#pragma once

#include "SelectorItems.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;

// A captioned selector: the current label in bold green on black, with up and
// down buttons. A held button repeats after 500 ms at the items' repeat
// interval, and past two seconds takes the fast step. It shows the items it was
// given and announces the value the operator chose; the owner applies it and
// sets the value back.
class TiSpinSelector : public QWidget {
  Q_OBJECT
public:
  TiSpinSelector(const QString& caption, SelectorItems items, QWidget* parent = nullptr);

  const SelectorItems& Items() const { return ItemsValue; }
  void SetItems(SelectorItems items);
  // A value not in the list keeps the current item.
  void SetValue(double value);
  QString CurrentLabel() const;

  // What a press of the button or holding it for heldMs leads to; used by the
  // repeat timer and by tests.
  void Press(int direction);
  void Hold(int direction, int heldMs);

signals:
  void ItemChosen(double value);

private:
  void Choose(int index);
  void Show();
  void StartHold(int direction);
  void StopHold();
  void Repeat();

  SelectorItems ItemsValue;
  QLabel* Display;
  QToolButton* Up;
  QToolButton* Down;
  QTimer RepeatTimer;
  QElapsedTimer Held;
  int HeldDirection = 0;
};
