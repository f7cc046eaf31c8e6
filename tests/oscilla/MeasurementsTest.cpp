#include "SamplingStatus.h"
#include "TiScope.h"
#include "TraceMeasurements.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr double Rate = 445000;

// One 10 ms sweep (4451 points) of f(t), as the scope draws it at 1 ms per division.
TiPlotTrace Sweep(const std::function<double(double)>& f) {
  TiPlotTrace t;
  t.Interval = 1 / Rate;
  for (int i = 0; i < 4451; ++i)
    t.Values.push_back(static_cast<float>(f(i / Rate)));
  return t;
}

const TiPlotAxis TenMs{0, 0.01, 0};

double Sine(double t) {
  return 2.5 * std::sin(2 * std::numbers::pi * 1000 * t + 0.3);
}

} // namespace

TEST(TraceMeasurements, SineSquareAndNoisyEdgesAtTheTriggerLevel) {
  struct Case {
    const char* Name;
    std::function<double(double)> Wave;
    double Level;
    bool Positive;
    double PeakToPeak, Mean, Frequency;
  };
  const auto square = [](double t) { return std::fmod(t * 730, 1.0) < 0.5 ? 3.0 : 1.0; };
  // Ripple of a fifth of the range on both levels must not count as extra edges.
  const auto noisy = [&](double t) {
    return square(t) + 0.2 * std::sin(2 * std::numbers::pi * 40000 * t);
  };
  const Case cases[] = {
      {"sine", Sine, 50, true, 5.0, 0.0, 1000},
      {"sine falling, level 80", Sine, 80, false, 5.0, 0.0, 1000},
      {"square", square, 50, true, 2.0, 2.0, 730},
      {"square level 10", square, 10, true, 2.0, 2.0, 730},
      {"noisy square", noisy, 50, true, 2.4, 2.0, 730},
  };
  for (const Case& c : cases) {
    const TraceMeasurements m = MeasureTrace(Sweep(c.Wave), TenMs, c.Level, c.Positive);
    ASSERT_TRUE(m.Valid) << c.Name;
    EXPECT_NEAR(m.PeakToPeak, c.PeakToPeak, 0.01 * c.PeakToPeak) << c.Name;
    EXPECT_NEAR(m.Maximum - m.Minimum, m.PeakToPeak, 1e-9) << c.Name;
    EXPECT_NEAR(m.Mean, c.Mean, 0.05) << c.Name;
    EXPECT_NEAR(m.Frequency, c.Frequency, 0.005 * c.Frequency) << c.Name;
    EXPECT_NEAR(m.LevelValue, m.Minimum + c.Level / 100 * m.PeakToPeak, 1e-6) << c.Name;
  }
}

TEST(TraceMeasurements, OnlyTheVisiblePartCountsAndTooFewCrossingsGiveNoFrequency) {
  // Low for the first half, high for the second; the axis shows only the second.
  const TiPlotTrace step = Sweep([](double t) { return t < 0.005 ? -1.0 : 1.0; });
  TraceMeasurements m = MeasureTrace(step, {0.006, 0.01, 0}, 50, true);
  ASSERT_TRUE(m.Valid);
  EXPECT_EQ(m.Minimum, 1.0);
  EXPECT_EQ(m.PeakToPeak, 0.0);
  EXPECT_EQ(m.Frequency, 0.0);
  m = MeasureTrace(step, TenMs, 50, true); // one edge is no period; 2226 highs, 2225 lows
  EXPECT_EQ(m.PeakToPeak, 2.0);
  EXPECT_EQ(m.Frequency, 0.0);
  EXPECT_EQ(MeasurementItems(m),
            (std::vector<std::string>{"Vpp 2.00 V", "Mean 225 µV", "Max 1.00 V", "Min -1.00 V",
                                      "Freq ---"}));

  EXPECT_FALSE(MeasureTrace(TiPlotTrace{}, TenMs, 50, true).Valid);
  EXPECT_FALSE(MeasureTrace(step, {0.02, 0.01, 0}, 50, true).Valid); // scrolled past the end
  EXPECT_TRUE(MeasurementItems(TraceMeasurements{}).empty());
  const auto sine = MeasurementItems(MeasureTrace(Sweep(Sine), TenMs, 50, true));
  ASSERT_EQ(sine.size(), 5u);
  EXPECT_EQ(sine[0], "Vpp 5.00 V");
  EXPECT_EQ(sine[4], "Freq 1.00 KHz");
}

TEST(SamplingStatus, SilentAfterTwoSecondsWithoutAByteElseTriggerOrFrames) {
  double now = 50;
  SamplingStatus status([&] { return now; });
  EXPECT_EQ(status.Status(false), TScopeStatus::None);
  status.Start();
  EXPECT_EQ(status.Status(false), TScopeStatus::Sampling);
  EXPECT_EQ(status.Status(true), TScopeStatus::WaitingForTrigger);
  now += 1.99;
  EXPECT_EQ(status.Status(false), TScopeStatus::Sampling);
  now += 0.01;
  EXPECT_EQ(status.Status(true), TScopeStatus::Silent); // silence outranks the trigger
  status.BytesArrived();
  EXPECT_EQ(status.Status(false), TScopeStatus::Sampling);
  status.Stop();
  now += 10;
  EXPECT_EQ(status.Status(true), TScopeStatus::None);
  status.Start(); // a new start gives the device its two seconds again
  EXPECT_EQ(status.Status(false), TScopeStatus::Sampling);
  const std::pair<TScopeStatus, const char*> texts[] = {
      {TScopeStatus::None, ""},
      {TScopeStatus::Sampling, "采样中"},
      {TScopeStatus::WaitingForTrigger, "等待触发"},
      {TScopeStatus::Silent, "设备无响应"}};
  for (auto [s, text] : texts)
    EXPECT_EQ(ScopeStatusText(s), text);
}

namespace {

// A DC channel at 1 V per division, fed in blocks of 1024 from f(sample index).
struct FedScope {
  FedScope() {
    Scope.SamplesPerSecond = 445000;
    Scope.ChannelAt(0).Coupling = TiScopeChannelCoupling::isccDC;
    Scope.ChannelAt(0).SetVoltsPerDivision(1.0);
  }
  void Feed(int blocks, const std::function<double(int)>& f) {
    for (int b = 0; b < blocks; ++b) {
      Scope.BeginBlock();
      for (int k = 0; k < 1024; ++k)
        Scope.AddBlockValue(0, f(Fed++));
      Scope.EndBlock();
    }
  }
  TiScope Scope;
  int Fed = 0;
};

double SineCounts(int i) {
  return 1 + std::sin(2 * std::numbers::pi * i / 445.0); // 1 kHz between 0 and 2 V
}

} // namespace

TEST(TiScopeTriggerWaiting, SetWhileASweepsWorthFindsNoTriggerClearedByTheNextSweep) {
  FedScope f;
  f.Feed(4, SineCounts);
  EXPECT_FALSE(f.Scope.TriggerWaiting()); // not yet a sweep's worth
  f.Feed(1, SineCounts);
  EXPECT_FALSE(f.Scope.ChannelAt(0).Trace.Values.empty());
  EXPECT_FALSE(f.Scope.TriggerWaiting());

  // A signal falling all through the searched range never arms the positive slope.
  f.Feed(12, [](int i) { return -i / 1000.0; });
  EXPECT_TRUE(f.Scope.TriggerWaiting());
  f.Feed(6, SineCounts);
  EXPECT_FALSE(f.Scope.TriggerWaiting());

  f.Scope.Trigger.SetAuto(false); // manual: nothing fires until forced
  f.Feed(6, SineCounts);
  EXPECT_TRUE(f.Scope.TriggerWaiting());
  f.Scope.ForceTrigger();
  EXPECT_FALSE(f.Scope.TriggerWaiting());
}

TEST(TiScopeMeasurements, ChannelsAndTheTriggerLevelMarkerFollowTheLastSweep) {
  FedScope f;
  EXPECT_EQ(f.Scope.TriggerLevelHeight(), std::nullopt); // no sweep yet
  EXPECT_TRUE(f.Scope.MeasurementReadout(0).empty());
  f.Feed(5, SineCounts);
  const TraceMeasurements m = f.Scope.Measure(0);
  EXPECT_NEAR(m.PeakToPeak, 2.0, 0.01);
  EXPECT_NEAR(m.Frequency, 1000, 5);
  // Level 50 % of 0 .. 2 V is 1 V; the axis runs from -4 V to 4 V.
  ASSERT_TRUE(f.Scope.TriggerLevelHeight());
  EXPECT_NEAR(*f.Scope.TriggerLevelHeight(), 62.5, 0.2);
  f.Scope.Trigger.SetLevel(90);
  EXPECT_NEAR(*f.Scope.TriggerLevelHeight(), 72.5, 0.2); // 1.8 V
  f.Scope.ChannelAt(0).SetPosition(-25);
  EXPECT_NEAR(*f.Scope.TriggerLevelHeight(), 47.5, 0.2); // the axis from -2 V to 6 V
}

TEST(TiScopeChannels, NewChannelsTakeTheNewChannelSettings) {
  TiScope scope;
  scope.NewChannel.SetVoltsPerDivision(2.0);
  scope.NewChannel.Coupling = TiScopeChannelCoupling::isccDC;
  scope.NewChannel.Color = 0x0000FF;
  const int added = scope.AddChannel();
  const TiScopeChannel& ch = scope.ChannelAt(added);
  EXPECT_EQ(ch.TitleText, "CH2");
  EXPECT_EQ(ch.VoltsPerDivision(), 2.0);
  EXPECT_EQ(ch.Axis().Span, 16.0);
  EXPECT_EQ(ch.Coupling, TiScopeChannelCoupling::isccDC);
  EXPECT_EQ(ch.Color, 0x0000FFu);
  EXPECT_EQ(scope.ChannelAt(0).VoltsPerDivision(), 5.0); // the first kept the defaults
}
