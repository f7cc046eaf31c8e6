#pragma once

#include "SelectorItems.h"

class TiScope;

// The time-base settings (held in their selectors) and the working values that
// ComputeWindow derives from them before every sweep search.
class TiScopeTimeBase {
public:
  explicit TiScopeTimeBase(TiScope& scope);

  double SecPerDiv() const { return SecPerDivItems.Value(); }
  double Position() const { return PositionItems.Value(); }
  double PreCapture() const { return PreCaptureItems.Value(); }
  double PostCapture() const { return PostCaptureItems.Value(); }
  // A value that is not one of the selector's items changes nothing. A new
  // SecPerDiv clears the traces at once.
  void SetSecPerDiv(double value);
  void SetPosition(double value);
  void SetPreCapture(double value);
  void SetPostCapture(double value);

  SelectorItems SecPerDivItems = SelectorItems::SecPerDiv();
  SelectorItems PositionItems = SelectorItems::TimePosition();
  SelectorItems PreCaptureItems = SelectorItems::Capture();
  SelectorItems PostCaptureItems = SelectorItems::Capture();

  double WindowSeconds = 0;
  int WindowSamples = 0;
  int PreSamples = 0;
  int PostSamples = 0;
  int NeededSamples = 0;
  double SampleInterval = 0;
  bool ForcePending = false;

private:
  void Set(SelectorItems& items, double value);
  TiScope& Scope;
};
