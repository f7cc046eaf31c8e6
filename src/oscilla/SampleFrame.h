#pragma once

#include <array>
#include <cstdint>

class TiScope;

// The frame of 1024 samples being collected from the sampling device.
class SampleFrame {
public:
  static constexpr int FrameSize = 1024;
  // A sample of 35 counts is one volt.
  static constexpr double CountsPerVolt = 35.0;

  // Stores the bytes of one notification; bytes past a full frame are dropped.
  // True when the frame is full, SamplePos then starts again at 0.
  bool StoreBytes(const uint8_t* bytes, int count);
  // Stores one sample clamped to 0 .. 255; true when that completes the frame.
  bool StoreSample(int32_t value);
  // Hands the frame to channel 0 as one data block, then clears it. Errors of the
  // scope leave here after the block has been closed.
  void PlotInto(TiScope& scope);

  std::array<uint8_t, FrameSize> SampleBuffer{};
  int SamplePos = 0;
};
