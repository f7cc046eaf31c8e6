#pragma once

#include <optional>
#include <string>
#include <vector>

enum class Waveform { Sine, Square, Triangle, Noise };

// What the stand-in sampling device sends, and the faults it can be told to make.
struct SamplerSettings {
  std::string Device; // empty: serve a new pseudo-terminal
  Waveform Wave = Waveform::Sine;
  double Frequency = 1000;    // Hz
  double Amplitude = 100;     // counts (35 counts are one volt at the scope)
  double Offset = 128;        // counts
  double SampleRate = 445000; // samples per second
  bool Paced = true;          // send at the line's speed, 115200 baud
  // Faults, by 1-based frame number: a frame cut to N bytes, N bytes added after a
  // frame, and no answer to any request after the first K.
  int ShortFrame = 0, ShortBytes = 0;
  int ExtraFrame = 0, ExtraBytes = 0;
  int SilentAfter = -1;
};

// Reads the command line; on a mistake returns nothing and sets `error`.
std::optional<SamplerSettings> ParseSamplerArguments(const std::vector<std::string>& args,
                                                     std::string& error);
extern const char* const SamplerUsage;
