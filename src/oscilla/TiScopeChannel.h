#pragma once

#include "TiPlotDataScopeList.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TiScopeChannelCoupling { isccDC, isccAC, isccGround };

// Colours are 0x00BBGGRR.
constexpr uint32_t clAqua = 0xFFFF00;
constexpr uint32_t clTeal = 0x808000;
constexpr uint32_t clYellow = 0x00FFFF;

// A vertical or horizontal axis of the plot: values from Min to Min + Span.
struct TiPlotAxis {
  double Min = 0;
  double Span = 1;
  double Step = 0;
};

// The points of one sweep: value k lies at StartTime + k x Interval.
struct TiPlotTrace {
  double StartTime = 0;
  double Interval = 0;
  std::vector<float> Values;
};

// One input of the scope: its conditioning, sample store, vertical scale and the
// trace of its last sweep.
class TiScopeChannel {
public:
  explicit TiScopeChannel(int number);
  // Takes the other channel's settings; title, samples, mean and trace stay.
  void TakeSettings(const TiScopeChannel& other);

  double VoltsPerDivision() const { return Volts; }
  double Position() const { return PositionValue; }
  // Both rescale the channel's axis at once.
  void SetVoltsPerDivision(double value);
  void SetPosition(double value);
  const TiPlotAxis& Axis() const { return AxisValue; }
  // Height of the zero line on the grid's 0 .. 100 scale.
  double RefLineHeight() const { return 50 + PositionValue; }

  // Conditions one input value and stores it.
  void AddSample(double x);
  // A stored sample as drawn: AC coupling subtracts the mean at drawing time.
  double DisplayValue(int index) const;

  TiScopeChannelCoupling Coupling = TiScopeChannelCoupling::isccAC;
  double ScalerMultiplier = 0; // 0 means 1
  double ScalerOffset = 0;
  std::string TitleText;
  uint32_t Color = clAqua;
  bool TraceVisible = true;
  int TraceLineWidth = 1;
  bool RefLineShow = true;
  double RunningMean = 0;
  TiPlotDataScopeList Store;
  TiPlotTrace Trace;

private:
  void Rescale();
  double Volts = 5.0;
  double PositionValue = 0.0;
  TiPlotAxis AxisValue;
};
