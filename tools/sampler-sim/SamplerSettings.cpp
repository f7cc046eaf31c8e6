#include "SamplerSettings.h"

#include <charconv>
#include <cstdlib>

const char* const SamplerUsage =
    "usage: sampler-sim [--device PATH] [--wave sine|square|triangle|noise]\n"
    "                   [--frequency HZ] [--amplitude COUNTS] [--offset COUNTS]\n"
    "                   [--rate SAMPLES_PER_SECOND] [--no-pace]\n"
    "                   [--short-frame K:N] [--extra K:N] [--silent-after K]\n"
    "Answers every 0xAA with 1024 one-byte samples. Without --device it serves a new\n"
    "pseudo-terminal; the first line of output is the device path.\n";

namespace {

bool ParseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size();
}

bool ParseInt(std::string_view text, int& value) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && value >= 0;
}

bool ParsePair(const std::string& text, int& k, int& n) {
  const size_t colon = text.find(':');
  return colon != std::string::npos && ParseInt(std::string_view(text).substr(0, colon), k) &&
         ParseInt(std::string_view(text).substr(colon + 1), n) && k > 0;
}

} // namespace

std::optional<SamplerSettings> ParseSamplerArguments(const std::vector<std::string>& args,
                                                     std::string& error) {
  SamplerSettings s;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--no-pace") {
      s.Paced = false;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "unknown option or missing value: " + a;
      return std::nullopt;
    }
    const std::string& v = args[++i];
    bool ok = true;
    if (a == "--device")
      s.Device = v;
    else if (a == "--wave") {
      const std::pair<const char*, Waveform> names[] = {{"sine", Waveform::Sine},
                                                        {"square", Waveform::Square},
                                                        {"triangle", Waveform::Triangle},
                                                        {"noise", Waveform::Noise}};
      ok = false;
      for (auto [name, wave] : names)
        if (v == name) {
          s.Wave = wave;
          ok = true;
        }
    } else if (a == "--frequency")
      ok = ParseNumber(v, s.Frequency) && s.Frequency >= 0;
    else if (a == "--amplitude")
      ok = ParseNumber(v, s.Amplitude);
    else if (a == "--offset")
      ok = ParseNumber(v, s.Offset);
    else if (a == "--rate")
      ok = ParseNumber(v, s.SampleRate) && s.SampleRate > 0;
    else if (a == "--short-frame")
      ok = ParsePair(v, s.ShortFrame, s.ShortBytes) && s.ShortBytes < 1024;
    else if (a == "--extra")
      ok = ParsePair(v, s.ExtraFrame, s.ExtraBytes);
    else if (a == "--silent-after")
      ok = ParseInt(v, s.SilentAfter);
    else {
      error = "unknown option: " + a;
      return std::nullopt;
    }
    if (!ok) {
      error = "bad value for " + a + ": " + v;
      return std::nullopt;
    }
  }
  return s;
}
