#include "TiScopeTimeBase.h"

#include "TiScope.h"

TiScopeTimeBase::TiScopeTimeBase(TiScope& scope) : Scope(scope) {
  SecPerDivItems.SetValue(0.001);
  PositionItems.SetValue(0);
}

void TiScopeTimeBase::Set(SelectorItems& items, double value) {
  const int before = items.ItemIndex();
  if (items.SetValue(value) && items.ItemIndex() != before) Scope.SettingsChanged();
}

void TiScopeTimeBase::SetSecPerDiv(double value) {
  const int before = SecPerDivItems.ItemIndex();
  Set(SecPerDivItems, value);
  if (SecPerDivItems.ItemIndex() != before) Scope.ClearTraces();
}

void TiScopeTimeBase::SetPosition(double value) {
  Set(PositionItems, value);
}
void TiScopeTimeBase::SetPreCapture(double value) {
  Set(PreCaptureItems, value);
}
void TiScopeTimeBase::SetPostCapture(double value) {
  Set(PostCaptureItems, value);
}
