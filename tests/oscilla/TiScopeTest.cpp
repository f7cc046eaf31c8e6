#include "TiScope.h"
#include "TiScopeError.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// The scope as the oscilloscope program sets it up, with a DC channel so that
// the drawn values are the values fed.
struct StartUpScope {
  StartUpScope() {
    Scope.SamplesPerSecond = 445000;
    Scope.ChannelAt(0).Coupling = TiScopeChannelCoupling::isccDC;
  }
  // Feeds `count` samples of f(i), i counting on from the samples fed before, in
  // blocks of 1024.
  template <typename F> void Feed(int count, F f) {
    for (int done = 0; done < count;) {
      Scope.BeginBlock();
      for (int k = 0; k < 1024 && done < count; ++k, ++done)
        Scope.AddBlockValue(0, f(Fed++));
      Scope.EndBlock();
    }
  }
  const TiScopeChannel& Channel() { return Scope.ChannelAt(0); }

  TiScope Scope;
  int Fed = 0;
};

struct StartUpScopeTest : ::testing::Test, StartUpScope {};

void ExpectError(const std::function<void()>& action, const std::string& text) {
  try {
    action();
    ADD_FAILURE() << "no error, expected " << text;
  } catch (const TiScopeError& e) {
    EXPECT_EQ(e.what(), text);
  }
}

} // namespace

TEST(TiScopeWindow, SweepFiguresRoundHalvesToEven) {
  struct Case {
    int SamplesPerSecond;
    double SecPerDiv, Pre, Post;
    int Window, PreSamples, PostSamples, Needed;
  };
  const Case cases[] = {
      {445000, 0.001, 0, 0, 4451, 0, 0, 4451},
      {445000, 0.001, 5, 1, 4451, 2226, 445, 7122},
      {5, 0.05, 0, 0, 3, 0, 0, 3},
      {7, 0.05, 0, 0, 5, 0, 0, 5},
      {200000, 1e-8, 0, 0, 1, 0, 0, 1},
      {-2, 0.05, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TiScope scope;
    scope.SamplesPerSecond = c.SamplesPerSecond;
    scope.TimeBase.SetSecPerDiv(c.SecPerDiv);
    scope.TimeBase.SetPreCapture(c.Pre);
    scope.TimeBase.SetPostCapture(c.Post);
    scope.ComputeWindow();
    const TiScopeTimeBase& tb = scope.TimeBase;
    EXPECT_EQ(tb.WindowSamples, c.Window) << c.SamplesPerSecond << " " << c.SecPerDiv;
    EXPECT_EQ(tb.PreSamples, c.PreSamples);
    EXPECT_EQ(tb.PostSamples, c.PostSamples);
    EXPECT_EQ(tb.NeededSamples, c.Needed);
  }
  TiScope scope;
  scope.TimeBase.SetSecPerDiv(0.003); // not a permitted value
  scope.TimeBase.SetPosition(-12.5);
  scope.ComputeWindow();
  EXPECT_EQ(scope.TimeBase.SecPerDiv(), 0.001);
  EXPECT_DOUBLE_EQ(scope.Plot.TimeAxis.Span, 0.01);
  EXPECT_DOUBLE_EQ(scope.Plot.TimeAxis.Min, -0.00125);
  EXPECT_DOUBLE_EQ(scope.TimeBase.SampleInterval, 1 / 200000.0);
}

TEST_F(StartUpScopeTest, FiveFramesDrawTheSweepAtTheLastTriggerOfTheFirstSearch) {
  // A rising edge at `edge`, then a slow ramp that tells the samples apart.
  struct Case {
    int Edge;
    bool Drawn;
    int Kept;
  };
  for (const Case& c : {Case{100, true, 570}, Case{669, true, 1}, Case{670, false, 5120}}) {
    StartUpScope s;
    auto signal = [&](int i) { return i < c.Edge ? 0.0 : 1 + i / 1e4; };
    s.Feed(4096, signal);
    EXPECT_TRUE(s.Channel().Trace.Values.empty()) << "drawn before the fifth frame";
    s.Feed(1024, signal);
    const TiPlotTrace& trace = s.Channel().Trace;
    EXPECT_EQ(s.Channel().Store.Count(), c.Kept) << c.Edge;
    ASSERT_EQ(trace.Values.size(), c.Drawn ? 4451u : 0u) << c.Edge;
    if (!c.Drawn) continue;
    EXPECT_EQ(trace.Values.front(), static_cast<float>(signal(c.Edge)));
    EXPECT_EQ(trace.Values.back(), static_cast<float>(signal(c.Edge + 4450)));
    EXPECT_EQ(s.Channel().Store[0].Value, trace.Values.back()); // the last drawn is kept
    EXPECT_EQ(trace.StartTime, 0);
    EXPECT_DOUBLE_EQ(trace.Interval, 1 / 445000.0);
  }
}

TEST(TiScopeTrigger, ArmsBelowFiveOrAboveNinetyFiveAndTheLastFindWins) {
  struct Case {
    std::vector<float> Percent;
    bool Positive;
    double Level;
    int Expected;
  };
  const Case cases[] = {
      {{50, 60, 70, 80}, true, 50, -1}, {{6, 51}, true, 50, -1},
      {{5, 51}, true, 50, 1},           {{0, 30, 40, 60}, true, 50, 3},
      {{0, 60, 0, 70}, true, 50, 3},    {{0, 60, 70}, true, 50, 1},
      {{0, 50}, true, 50, -1},          {{94, 40}, false, 50, -1},
      {{95, 49}, false, 50, 1},         {{100, 60, 0, 100, 10}, false, 50, 4},
      {{100, 20}, false, 10, -1},
  };
  for (const Case& c : cases) {
    TiPlotDataScopeList store;
    for (float p : c.Percent) {
      store.Add(0);
      store[store.Count() - 1].Percent = p;
    }
    EXPECT_EQ(TiScope::FindTrigger(store, 0, store.Count() - 1, c.Level, c.Positive), c.Expected)
        << ::testing::PrintToString(c.Percent) << (c.Positive ? " rising" : " falling");
  }
}

TEST(TiScopeTrigger, ASearchRangeThatNeverReachesTheArmingBandNeverTriggers) {
  // The stream's extreme lies outside the searched indexes 0 .. 669: inside them
  // the samples sit at 0 % and 50 % (falling) or 50 % and 100 % (rising).
  for (bool rising : {true, false}) {
    StartUpScope s;
    s.Scope.Trigger.SetPositiveSlope(rising);
    const double low = rising ? 1 : 0, extreme = rising ? 0 : 2;
    s.Feed(5120, [&](int i) { return i < 4000 ? low + (i % 2) : extreme; });
    EXPECT_TRUE(s.Channel().Trace.Values.empty()) << rising;
    EXPECT_EQ(s.Channel().Store.Count(), 5120); // at most twice the need: all kept
  }
}

TEST_F(StartUpScopeTest, AConstantInputStillDrawsSweeps) {
  Feed(5120, [](int) { return 2.0; });
  EXPECT_EQ(Channel().Trace.Values.size(), 4451u);
  EXPECT_EQ(Channel().Trace.Values[0], 2.0f);
}

TEST_F(StartUpScopeTest, ManualTriggerKeepsTwoToThreeSweepsUntilForced) {
  Scope.Trigger.SetAuto(false);
  for (int frame = 0; frame < 40; ++frame) {
    Feed(1024, [](int i) { return std::sin(i / 50.0); });
    EXPECT_LE(Channel().Store.Count(), 3 * 4451);
    if (Fed > 3 * 4451) {
      EXPECT_GE(Channel().Store.Count(), 2 * 4451);
    }
  }
  EXPECT_TRUE(Channel().Trace.Values.empty());
  const int stored = Channel().Store.Count();
  Scope.ForceTrigger();
  ASSERT_EQ(Channel().Trace.Values.size(), 4451u);
  // The newest sweep: its last point is the newest sample, which stays as the oldest.
  EXPECT_EQ(Channel().Store.Count(), 1);
  EXPECT_EQ(Channel().Trace.Values.back(), static_cast<float>(std::sin((Fed - 1) / 50.0)));
  EXPECT_GT(stored, 4451);
  EXPECT_FALSE(Scope.TimeBase.ForcePending);
}

TEST(TiScopeChannel, ConditioningAndTheAcMean) {
  TiScopeChannel ch(1);
  EXPECT_EQ(ch.TitleText, "CH1");
  ch.AddSample(1.0);
  EXPECT_EQ(ch.Store[0].Value, 1.0f);
  EXPECT_DOUBLE_EQ(ch.RunningMean, 1.0 / 25000);
  EXPECT_DOUBLE_EQ(ch.DisplayValue(0), 1.0 - 1.0 / 25000); // the mean at drawing time
  for (int i = 1; i < 25000; ++i)
    ch.AddSample(1.0);
  EXPECT_NEAR(ch.RunningMean, 1 - std::exp(-1.0), 1e-4);
  EXPECT_NEAR(ch.DisplayValue(0), std::exp(-1.0), 1e-4);

  TiScopeChannel scaled(2);
  scaled.Coupling = TiScopeChannelCoupling::isccDC;
  scaled.ScalerOffset = 1;
  scaled.AddSample(2); // multiplier 0 means 1
  scaled.ScalerMultiplier = 10;
  scaled.AddSample(2);
  scaled.Coupling = TiScopeChannelCoupling::isccGround;
  scaled.AddSample(2);
  EXPECT_EQ(scaled.Store[0].Value, 3.0f);
  EXPECT_EQ(scaled.Store[1].Value, 30.0f);
  EXPECT_EQ(scaled.Store[2].Value, 0.0f);
  EXPECT_EQ(scaled.DisplayValue(1), 30.0);

  scaled.SetVoltsPerDivision(2);
  scaled.SetPosition(10);
  EXPECT_DOUBLE_EQ(scaled.Axis().Span, 16);
  EXPECT_DOUBLE_EQ(scaled.Axis().Min, -9.6);
  EXPECT_DOUBLE_EQ(scaled.Axis().Step, 2);
  EXPECT_DOUBLE_EQ(scaled.RefLineHeight(), 60);
}

TEST(TiScopeBlocks, MisuseFailsWithItsTextAndUnequalChannelsAreNotProcessed) {
  TiScope scope;
  ExpectError([&] { scope.AddBlockValue(0, 1); },
              "Error Adding Channel Data: Data Block not Active");
  scope.BeginBlock();
  ExpectError([&] { scope.BeginBlock(); }, "Begin Data Block Error: Data Block already Active");
  ExpectError([&] { scope.AddBlockValue(5, 1); }, "List index out of bounds (5)");
  scope.EndBlock();

  scope.SamplesPerSecond = 445000;
  scope.AddChannel();
  scope.BeginBlock();
  for (int i = 0; i < 5120; ++i) {
    scope.AddBlockValue(0, i % 100);
    if (i < 5000) scope.AddBlockValue(1, i % 100);
  }
  ExpectError([&] { scope.EndBlock(); },
              "End Data Block Error: All Channels must have the same Number of Data Elements");
  EXPECT_EQ(scope.ChannelAt(0).Store.Count(), 5120); // nothing processed
  scope.BeginBlock();                                // the block was closed all the same
  EXPECT_THROW(scope.EndBlock(), TiScopeError);
  scope.ForceTrigger(); // unequal stores are left alone, not read past their ends
  EXPECT_TRUE(scope.ChannelAt(1).Trace.Values.empty());
}

TEST(TiScopeSettings, ChannelsSourcesAndTheTimeBase) {
  TiScope scope;
  EXPECT_EQ(scope.ChannelCount(), 1);
  EXPECT_EQ(scope.Trigger.SourceIndex(), 0);
  scope.AddChannel();
  scope.Trigger.SetSourceIndex(1);
  scope.ChannelAt(0).TitleText = "Input";
  scope.RefreshSources();
  EXPECT_EQ(scope.Trigger.SourceItems.Label(), "CH2"); // the chosen title stays chosen
  scope.RemoveChannel(0);
  EXPECT_EQ(scope.Trigger.SourceIndex(), 0);
  EXPECT_EQ(scope.Trigger.SourceItems.Label(), "CH2");
  scope.Trigger.SetSourceIndex(3);
  EXPECT_EQ(scope.Trigger.SourceIndex(), 0);
  scope.ClearChannels();
  EXPECT_EQ(scope.Trigger.SourceIndex(), -1);
  scope.ToggleCursor(); // no trace: nothing happens
  EXPECT_FALSE(scope.Plot.CursorEnabled);
  scope.BeginBlock(); // and sweeps have nothing to do
  scope.EndBlock();

  TiScope fed;
  fed.ChannelAt(0).Trace.Values = {1, 2};
  fed.TimeBase.SetSecPerDiv(0.001); // the current value: traces stay
  EXPECT_EQ(fed.ChannelAt(0).Trace.Values.size(), 2u);
  fed.TimeBase.SetSecPerDiv(0.002);
  EXPECT_TRUE(fed.ChannelAt(0).Trace.Values.empty());
  EXPECT_EQ(fed.TimeBaseReadout(), "2 ms");
  fed.ChannelAt(0).SetVoltsPerDivision(2);
  EXPECT_EQ(fed.ChannelReadout(0), "2 V AC");
  fed.ChannelAt(0).SetVoltsPerDivision(3);
  fed.ChannelAt(0).Coupling = TiScopeChannelCoupling::isccGround;
  EXPECT_EQ(fed.ChannelReadout(0), "3.00 V GND");
}

TEST(TiPlotDataScopeList, GrowsByTheRuleAndRefusesBadSizes) {
  TiPlotDataScopeList store;
  std::vector<int> capacities;
  for (int i = 0; i < 100; ++i) {
    store.Add(static_cast<float>(i));
    if (capacities.empty() || capacities.back() != store.Capacity())
      capacities.push_back(store.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
  store.Delete(98);
  EXPECT_EQ(store.Count(), 2);
  EXPECT_EQ(store[0].Value, 98.0f);
  ExpectError([&] { store.Delete(3); }, "Delete size out of Range");
  ExpectError([&] { store.Delete(-1); }, "Delete size out of Range");
  ExpectError([&] { store.SetCapacity(268435456); }, "Exceed Maximum List Size");
}
