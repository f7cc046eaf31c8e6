#pragma once

#include <QFrame>

class QToolButton;
class TiScope;
class TiSpinSelector;

// "Trigger": Level and Source, the two slope buttons, "Auto" and the manual
// trigger button, which is disabled while "Auto" is down.
class TiScopePanelTrigger : public QFrame {
public:
  TiScopePanelTrigger(TiScope& scope, QWidget* parent = nullptr);
  void Refresh();

  TiSpinSelector* Level;
  TiSpinSelector* Source;
  QToolButton* PositiveSlope;
  QToolButton* NegativeSlope;
  QToolButton* AutoButton;
  QToolButton* TriggerButton;

private:
  TiScope& Scope;
};
