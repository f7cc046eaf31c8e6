#pragma once

#include <QFrame>

class TiScope;
class TiSpinSelector;

// "Time Base": SEC/DIV, Position, Pre-Capture and Post-Capture.
class TiScopePanelTimeBase : public QFrame {
public:
  TiScopePanelTimeBase(TiScope& scope, QWidget* parent = nullptr);
  // Shows the scope's current settings.
  void Refresh();

  TiSpinSelector* SecPerDiv;
  TiSpinSelector* Position;
  TiSpinSelector* PreCapture;
  TiSpinSelector* PostCapture;

private:
  TiScope& Scope;
};
