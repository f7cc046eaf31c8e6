#pragma once

#include "../platform/DeviceProcess.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// "0E 00 6F" as bytes.
inline Bytes Hex(const std::string& text) {
  Bytes bytes;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair)
    bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
  return bytes;
}

// ice-sim running as a child process on a new pseudo-terminal, logging the
// frames it receives.
class IceSimProcess : public DeviceProcess {
public:
  explicit IceSimProcess(const std::vector<std::string>& options,
                         const std::filesystem::path& logPath)
      : DeviceProcess(Arguments(options, logPath)), LogPath(logPath) {}

  // Every frame logged so far.
  std::vector<Bytes> Frames() const {
    std::vector<Bytes> frames;
    std::ifstream log(LogPath);
    for (std::string line; std::getline(log, line);)
      frames.push_back(Hex(line));
    return frames;
  }

  std::filesystem::path LogPath;

private:
  static std::vector<std::string> Arguments(const std::vector<std::string>& options,
                                            const std::filesystem::path& logPath) {
    std::vector<std::string> args{ICE_SIM_PROGRAM, "--log", logPath.string()};
    args.insert(args.end(), options.begin(), options.end());
    return args;
  }
};
