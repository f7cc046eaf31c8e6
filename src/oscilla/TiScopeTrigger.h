#pragma once

#include "SelectorItems.h"

class TiScope;

// The trigger settings. Level and source are held in their selectors; the
// source items are the channel titles with the channel index as value.
class TiScopeTrigger {
public:
  explicit TiScopeTrigger(TiScope& scope) : Scope(scope) { LevelItems.SetValue(50); }

  double Level() const { return LevelItems.Value(); }
  int SourceIndex() const { return static_cast<int>(SourceItems.Value()); }
  bool PositiveSlope() const { return PositiveSlopeValue; }
  bool Auto() const { return AutoValue; }
  // A value that is not one of the selector's items changes nothing.
  void SetLevel(double value);
  void SetSourceIndex(int value);
  void SetPositiveSlope(bool value);
  void SetAuto(bool value);

  SelectorItems LevelItems = SelectorItems::Level();
  SelectorItems SourceItems{5};

private:
  TiScope& Scope;
  bool PositiveSlopeValue = true;
  bool AutoValue = true;
};
