#pragma once

#include <functional>
#include <string>

// What the scope says about the sampling device.
enum class TScopeStatus { None, Sampling, WaitingForTrigger, Silent };

// "采样中", "等待触发", "设备无响应"; empty for None.
std::string ScopeStatusText(TScopeStatus status);

// Decides the status text while sampling: the device is silent when no byte has
// come for two seconds (a frame and the pause between frames take about a third
// of a second), else the scope waits for its trigger or shows frames.
class SamplingStatus {
public:
  // Seconds on a local clock; tests pass their own.
  using TClock = std::function<double()>;
  explicit SamplingStatus(TClock clock = {});

  static constexpr double SilentSeconds = 2.0;

  // Sampling begins: the device has two seconds for its first byte.
  void Start();
  void Stop() { SamplingValue = false; }
  void BytesArrived() { LastByte = Clock(); }
  bool Sampling() const { return SamplingValue; }
  TScopeStatus Status(bool triggerWaiting) const;

private:
  TClock Clock;
  bool SamplingValue = false;
  double LastByte = 0;
};
