#include "EngineeringUnits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Unit {
  double Scale;
  const char* Name;
};

// x in the first unit (largest scale first) whose range [Scale, 1000 Scale) holds
// |x|: 100 .. 1000 without decimals, 10 .. 100 with one, 1 .. 10 with two.
std::string Scaled(double x, const Unit (&units)[4], const char* baseUnit) {
  char text[48];
  // Rounded to three digits before the unit is chosen: 999.96 Hz is "1.00 KHz".
  std::snprintf(text, sizeof text, "%.3g", x);
  x = std::strtod(text, nullptr);
  const double magnitude = std::fabs(x);
  for (const Unit& u : units) {
    if (magnitude < u.Scale || magnitude >= u.Scale * 1000) continue;
    const double y = x / u.Scale;
    const int decimals = std::fabs(y) >= 100 ? 0 : std::fabs(y) >= 10 ? 1 : 2;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, y, u.Name);
    return text;
  }
  std::snprintf(text, sizeof text, "%.3g %s", x, baseUnit);
  return text;
}

} // namespace

std::string FormatTime(double seconds) {
  static const Unit units[4] = {{1e-3, "ms"}, {1e-6, "µs"}, {1e-9, "ns"}, {1e-12, "ps"}};
  return Scaled(seconds, units, "s");
}

std::string FormatVolts(double volts) {
  static const Unit units[4] = {{1, "V"}, {1e-3, "mV"}, {1e-6, "µV"}, {1e-9, "nV"}};
  return Scaled(volts, units, "V");
}

std::string FormatFrequency(double hertz) {
  static const Unit units[4] = {{1e9, "GHz"}, {1e6, "MHz"}, {1e3, "KHz"}, {1, "Hz"}};
  return Scaled(hertz, units, "Hz");
}
