#pragma once

#include <stdexcept>

// The port component's error: a code 1 .. 23 into the table of texts and, when
// the system reported one, its error code (errno here; -1 when there is none).
class EComPort : public std::runtime_error {
public:
  EComPort(int errorCode, int systemErrorCode = -1);
  int ErrorCode;
  int SystemErrorCode;
};

// The text of an error code, without the system error suffix.
const char* ComErrorText(int errorCode);
