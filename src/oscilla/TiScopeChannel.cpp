#include "TiScopeChannel.h"

TiScopeChannel::TiScopeChannel(int number) : TitleText("CH" + std::to_string(number)) {
  Rescale();
}

void TiScopeChannel::TakeSettings(const TiScopeChannel& other) {
  Volts = other.Volts;
  PositionValue = other.PositionValue;
  Coupling = other.Coupling;
  ScalerMultiplier = other.ScalerMultiplier;
  ScalerOffset = other.ScalerOffset;
  Color = other.Color;
  TraceVisible = other.TraceVisible;
  TraceLineWidth = other.TraceLineWidth;
  RefLineShow = other.RefLineShow;
  Rescale();
}

void TiScopeChannel::SetVoltsPerDivision(double value) {
  Volts = value;
  Rescale();
}

void TiScopeChannel::SetPosition(double value) {
  PositionValue = value;
  Rescale();
}

// Eight divisions high, the zero line at 50 + Position percent of the height.
void TiScopeChannel::Rescale() {
  const double span = 8 * Volts;
  AxisValue = {-span / 2 - span * PositionValue / 100, span, Volts};
}

void TiScopeChannel::AddSample(double x) {
  double v = x + ScalerOffset;
  if (ScalerMultiplier != 0) v *= ScalerMultiplier;
  switch (Coupling) {
  case TiScopeChannelCoupling::isccDC: break;
  case TiScopeChannelCoupling::isccAC:
    RunningMean = RunningMean - RunningMean / 25000 + v / 25000;
    break;
  case TiScopeChannelCoupling::isccGround: v = 0; break;
  }
  Store.Add(static_cast<float>(v));
}

double TiScopeChannel::DisplayValue(int index) const {
  const double v = Store[index].Value;
  return Coupling == TiScopeChannelCoupling::isccAC ? v - RunningMean : v;
}
