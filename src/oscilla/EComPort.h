#pragma once

#include <stdexcept>
#include <string>

// The port component's error: a code 1 .. 23 into the table of texts and, when
// the system reported one, its error code (errno here; -1 when there is none).
class EComPort : public std::runtime_error {
public:
  // A detail (the device a port name stands for) goes on a line of its own.
  EComPort(int errorCode, int systemErrorCode = -1, const std::string& detail = "");
  int ErrorCode;
  int SystemErrorCode;
};

// The text of an error code, without the system error suffix.
const char* ComErrorText(int errorCode);
