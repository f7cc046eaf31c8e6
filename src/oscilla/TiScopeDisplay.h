#pragma once

#include "TiScopeChannel.h"

// How the plot surface shows its grid and annotations.
struct TiScopeDisplay {
  uint32_t GridColor = clTeal;   // grid lines and the master axes' scale lines
  bool TextShow = false;         // the time-base readout and all channel readouts
  bool HorzScrollShow = false;   // the time position marker
  bool MeasurementsShow = false; // measurements of each visible channel, under the readouts
};
