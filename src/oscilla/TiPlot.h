#pragma once

#include "RepaintThrottle.h"
#include "SamplingStatus.h"
#include "TiScopeChannel.h"

// The plot surface's own state; the traces and vertical axes belong to the
// channels. Horizontal places are on the grid's 0 .. 1 scale.
struct TiPlot {
  TiPlotAxis TimeAxis{0, 0.01, 0}; // the hidden axis "TimeBase" that all traces use
  bool CursorEnabled = false;
  int CursorChannel = -1;                   // -1: still on the placeholder channel
  double CursorPointers[2] = {0.40, 0.60};  // the data cursor's two pointers
  TScopeStatus Status = TScopeStatus::None; // the text in the plot's lower right corner
  RepaintThrottle Throttle;
};

// What the data cursor shows: time and value at both pointers, and 1 / dt.
struct TiCursorReadout {
  std::string Times[2];
  std::string Values[2];
  std::string Frequency;
};
