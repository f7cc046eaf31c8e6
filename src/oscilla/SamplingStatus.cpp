#include "SamplingStatus.h"

#include <chrono>

std::string ScopeStatusText(TScopeStatus status) {
  switch (status) {
  case TScopeStatus::None: return "";
  case TScopeStatus::Sampling: return "采样中";
  case TScopeStatus::WaitingForTrigger: return "等待触发";
  case TScopeStatus::Silent: return "设备无响应";
  }
  return "";
}

SamplingStatus::SamplingStatus(TClock clock) : Clock(std::move(clock)) {
  if (!Clock)
    Clock = [] {
      return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
          .count();
    };
}

void SamplingStatus::Start() {
  SamplingValue = true;
  LastByte = Clock();
}

TScopeStatus SamplingStatus::Status(bool triggerWaiting) const {
  if (!SamplingValue) return TScopeStatus::None;
  if (Clock() - LastByte >= SilentSeconds) return TScopeStatus::Silent;
  return triggerWaiting ? TScopeStatus::WaitingForTrigger : TScopeStatus::Sampling;
}
