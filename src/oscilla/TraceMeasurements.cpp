#include "TraceMeasurements.h"

#include "EngineeringUnits.h"

#include <algorithm>
#include <cmath>

namespace {

// A crossing counts only after the trace has been this share of its range on the
// far side of the level, so noise riding on an edge is not taken for periods.
constexpr double Hysteresis = 0.05;

struct VisibleRange {
  size_t First = 0, End = 0;
};

VisibleRange Visible(const TiPlotTrace& trace, const TiPlotAxis& time) {
  const size_t n = trace.Values.size();
  if (n == 0 || trace.Interval <= 0) return {};
  const double first = std::ceil((time.Min - trace.StartTime) / trace.Interval - 1e-9);
  const double last = std::floor((time.Min + time.Span - trace.StartTime) / trace.Interval + 1e-9);
  const double lo = std::max(0.0, first);
  const double hi = std::min(static_cast<double>(n) - 1, last);
  if (hi < lo) return {};
  return {static_cast<size_t>(lo), static_cast<size_t>(hi) + 1};
}

// Frequency from the first to the last crossing of `level`, each placed between
// its two samples by linear interpolation.
double CrossingFrequency(const TiPlotTrace& t, VisibleRange r, double level, double band,
                         bool positiveSlope) {
  const double sign = positiveSlope ? 1 : -1;
  bool armed = false;
  int crossings = 0;
  double firstAt = 0, lastAt = 0;
  for (size_t i = r.First; i < r.End; ++i) {
    const double v = sign * t.Values[i];
    const double l = sign * level;
    if (v < l - band) armed = true;
    if (!armed || v < l || i == r.First) continue;
    armed = false;
    const double before = sign * t.Values[i - 1];
    const double at = static_cast<double>(i - 1) + (l - before) / (v - before);
    if (crossings++ == 0) firstAt = at;
    lastAt = at;
  }
  if (crossings < 2 || lastAt <= firstAt) return 0;
  return (crossings - 1) / ((lastAt - firstAt) * t.Interval);
}

} // namespace

TraceMeasurements MeasureTrace(const TiPlotTrace& trace, const TiPlotAxis& time,
                               double levelPercent, bool positiveSlope) {
  TraceMeasurements m;
  const VisibleRange r = Visible(trace, time);
  if (r.End <= r.First) return m;
  const auto [lo, hi] = std::minmax_element(trace.Values.begin() + static_cast<ptrdiff_t>(r.First),
                                            trace.Values.begin() + static_cast<ptrdiff_t>(r.End));
  double sum = 0;
  for (size_t i = r.First; i < r.End; ++i)
    sum += trace.Values[i];
  m.Valid = true;
  m.Minimum = *lo;
  m.Maximum = *hi;
  m.PeakToPeak = m.Maximum - m.Minimum;
  m.Mean = sum / static_cast<double>(r.End - r.First);
  m.LevelValue = m.Minimum + levelPercent / 100 * m.PeakToPeak;
  if (m.PeakToPeak > 0)
    m.Frequency =
        CrossingFrequency(trace, r, m.LevelValue, Hysteresis * m.PeakToPeak, positiveSlope);
  return m;
}

std::vector<std::string> MeasurementItems(const TraceMeasurements& m) {
  if (!m.Valid) return {};
  return {"Vpp " + FormatVolts(m.PeakToPeak), "Mean " + FormatVolts(m.Mean),
          "Max " + FormatVolts(m.Maximum), "Min " + FormatVolts(m.Minimum),
          "Freq " + (m.Frequency > 0 ? FormatFrequency(m.Frequency) : std::string("---"))};
}
