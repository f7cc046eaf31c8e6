#include "SampleSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>

SampleSource::SampleSource(const SamplerSettings& settings) : Settings(settings) {}

uint8_t SampleSource::Sample() {
  const double phase =
      std::fmod(Settings.Frequency * static_cast<double>(Index++) / Settings.SampleRate, 1.0);
  double unit = 0; // the waveform between -1 and 1
  switch (Settings.Wave) {
  case Waveform::Sine: unit = std::sin(2 * std::numbers::pi * phase); break;
  case Waveform::Square: unit = phase < 0.5 ? 1 : -1; break;
  case Waveform::Triangle: unit = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; break;
  case Waveform::Noise: unit = std::uniform_real_distribution<double>(-1, 1)(Random); break;
  }
  return static_cast<uint8_t>(
      std::clamp(std::lround(Settings.Offset + Settings.Amplitude * unit), 0L, 255L));
}

std::vector<uint8_t> SampleSource::NextReply() {
  const int frame = ++Requests;
  if (Settings.SilentAfter >= 0 && frame > Settings.SilentAfter) return {};
  int count = 1024;
  if (frame == Settings.ShortFrame) count = Settings.ShortBytes;
  if (frame == Settings.ExtraFrame) count += Settings.ExtraBytes;
  std::vector<uint8_t> reply(static_cast<size_t>(count));
  for (uint8_t& b : reply)
    b = Sample();
  return reply;
}
