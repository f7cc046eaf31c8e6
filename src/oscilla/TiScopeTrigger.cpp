#include "TiScopeTrigger.h"

#include "TiScope.h"

void TiScopeTrigger::SetLevel(double value) {
  const int before = LevelItems.ItemIndex();
  if (LevelItems.SetValue(value) && LevelItems.ItemIndex() != before) Scope.SettingsChanged();
}

void TiScopeTrigger::SetSourceIndex(int value) {
  const int before = SourceItems.ItemIndex();
  if (SourceItems.SetValue(value) && SourceItems.ItemIndex() != before) Scope.SettingsChanged();
}

void TiScopeTrigger::SetPositiveSlope(bool value) {
  if (value == PositiveSlopeValue) return;
  PositiveSlopeValue = value;
  Scope.SettingsChanged();
}

void TiScopeTrigger::SetAuto(bool value) {
  if (value == AutoValue) return;
  AutoValue = value;
  Scope.SettingsChanged();
}
