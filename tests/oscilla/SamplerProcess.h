#pragma once

#include "../platform/DeviceProcess.h"

// sampler-sim running on a new pseudo-terminal for the length of a test.
class SamplerProcess : public DeviceProcess {
public:
  explicit SamplerProcess(std::vector<std::string> args) : DeviceProcess(WithProgram(args)) {}

private:
  static std::vector<std::string> WithProgram(std::vector<std::string> args) {
    args.insert(args.begin(), SAMPLER_SIM_PATH);
    return args;
  }
};
