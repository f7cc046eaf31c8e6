#pragma once

#include "SerialSettings.h"

// Line settings through the kernel's termios2 interface, which takes any baud rate
// and, unlike the C library's tcsetattr, does not turn a driver that keeps some
// settings fixed (a pseudo-terminal always has 8 data bits) into a failure.
// Kept in a file of its own because its kernel headers clash with <termios.h>.
// Both return 0 or errno; DTR and RTS are not touched here.
int ApplyRawLine(int fd, const SerialLineSettings& settings);
int ReadRawLine(int fd, SerialLineSettings& settings);
