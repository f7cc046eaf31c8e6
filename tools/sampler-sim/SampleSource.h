#pragma once

#include "SamplerSettings.h"

#include <cstdint>
#include <random>
#include <vector>

// The device's samples: the waveform runs on from frame to frame, as if the
// device sampled without pause.
class SampleSource {
public:
  explicit SampleSource(const SamplerSettings& settings);
  // The bytes that answer the next request (empty once the device is silent).
  std::vector<uint8_t> NextReply();

private:
  uint8_t Sample();
  const SamplerSettings Settings;
  uint64_t Index = 0;
  int Requests = 0;
  std::mt19937 Random{12345};
};
