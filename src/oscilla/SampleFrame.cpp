#include "SampleFrame.h"

#include "TiScope.h"

#include <algorithm>

bool SampleFrame::StoreBytes(const uint8_t* bytes, int count) {
  for (int i = 0; i < count && SamplePos < FrameSize; ++i)
    SampleBuffer[static_cast<size_t>(SamplePos++)] = bytes[i];
  if (SamplePos < FrameSize) return false;
  SamplePos = 0;
  return true;
}

bool SampleFrame::StoreSample(int32_t value) {
  // SamplePos is below 1024 between notifications; a frame never grows past it.
  SampleBuffer[static_cast<size_t>(SamplePos++)] = static_cast<uint8_t>(std::clamp(value, 0, 255));
  if (SamplePos != FrameSize) return false;
  SamplePos = 0;
  return true;
}

void SampleFrame::PlotInto(TiScope& scope) {
  scope.BeginBlock();
  try {
    for (uint8_t sample : SampleBuffer)
      scope.AddBlockValue(0, sample / CountsPerVolt);
  } catch (...) {
    scope.EndBlock();
    SampleBuffer.fill(0);
    throw;
  }
  scope.EndBlock();
  SampleBuffer.fill(0);
}
