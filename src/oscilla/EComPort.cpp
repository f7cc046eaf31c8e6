#include "EComPort.h"

#include <array>
#include <string>

namespace {

constexpr std::array<const char*, 23> Texts = {
    "Unable to open com port",
    "WriteFile function failed",
    "ReadFile function failed",
    "Invalid Async parameter",
    "PurgeComm function failed",
    "Unable to get async status",
    "SetCommState function failed",
    "SetCommTimeouts failed",
    "SetupComm function failed",
    "ClearCommError function failed",
    "GetCommModemStatus function failed",
    "EscapeCommFunction function failed",
    "TransmitCommChar function failed",
    "Cannot set property while connected",
    "EnumPorts function failed",
    "Failed to store settings",
    "Failed to load settings",
    "Link (un)registration failed",
    "Cannot change led state if ComPort is selected",
    "Cannot wait for event if event thread is created",
    "WaitForEvent method failed",
    "A component is linked to OnRxBuf event",
    "Registry error",
};

std::string Message(int errorCode, int systemErrorCode, const std::string& detail) {
  std::string text = ComErrorText(errorCode);
  if (systemErrorCode != -1) text += " (win error code: " + std::to_string(systemErrorCode) + ")";
  if (!detail.empty()) text += "\n" + detail;
  return text;
}

} // namespace

const char* ComErrorText(int errorCode) {
  return errorCode >= 1 && errorCode <= 23 ? Texts[static_cast<size_t>(errorCode - 1)] : "";
}

EComPort::EComPort(int errorCode, int systemErrorCode, const std::string& detail)
    : std::runtime_error(Message(errorCode, systemErrorCode, detail)), ErrorCode(errorCode),
      SystemErrorCode(systemErrorCode) {}
