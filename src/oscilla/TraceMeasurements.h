#pragma once

#include "TiScopeChannel.h"

#include <string>
#include <vector>

// What a bench scope measures on the visible part of a channel's last sweep, in
// the values the trace draws (volts, AC coupling already taken off).
struct TraceMeasurements {
  bool Valid = false; // false when no point of the trace is visible
  double PeakToPeak = 0, Mean = 0, Maximum = 0, Minimum = 0;
  // From crossings of the trigger level in the trigger's slope; 0 when fewer than
  // two crossings are visible.
  double Frequency = 0;
  // The trigger level as a value of this trace: Level percent of its range.
  double LevelValue = 0;
};

// Measures the points of `trace` that lie inside the time axis' range.
// `levelPercent` places the level between the minimum (0) and the maximum (100).
TraceMeasurements MeasureTrace(const TiPlotTrace& trace, const TiPlotAxis& time,
                               double levelPercent, bool positiveSlope);

// "Vpp 5.71 V", "Mean 0.00 V", "Max 2.86 V", "Min -2.86 V", "Freq 1.00 KHz" ("Freq ---"
// without a frequency); nothing when no point is visible.
std::vector<std::string> MeasurementItems(const TraceMeasurements& m);
