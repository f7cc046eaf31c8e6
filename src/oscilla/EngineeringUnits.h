#pragma once

#include <string>

// Readout texts with about three significant digits in the unit of their decade:
// 0.0123 s is "12.3 ms", 0.5 V is "500 mV", 1234 Hz is "1.23 KHz". Values outside
// the listed units (1 s and more, below 1 ps, ...) use seconds, volts or hertz.
std::string FormatTime(double seconds);
std::string FormatVolts(double volts);
std::string FormatFrequency(double hertz);
