#include "EngineeringUnits.h"
#include "RepaintThrottle.h"
#include "ScopeLayout.h"
#include "SelectorItems.h"
#include "TiScope.h"

#include <gtest/gtest.h>

TEST(SelectorItems, ValuesNotInTheListChangeNothing) {
  SelectorItems level = SelectorItems::Level();
  EXPECT_EQ(level.Label(), "10%");
  EXPECT_TRUE(level.SetValue(37));
  EXPECT_FALSE(level.SetValue(37.5));
  EXPECT_EQ(level.Label(), "37%");
  SelectorItems empty;
  EXPECT_EQ(empty.Value(), -1);
  EXPECT_EQ(empty.StepTarget(1), -1);
  empty.Add("a", 7);
  EXPECT_EQ(empty.Value(), 7); // the first item added is selected

  struct Case {
    SelectorItems Items;
    double Value;
    const char* Label;
  };
  const Case labels[] = {{SelectorItems::TimePosition(), -50, "-50.0%"},
                         {SelectorItems::TimePosition(), 25.3, "25.3%"},
                         {SelectorItems::ChannelPosition(), 0, "0.0%"},
                         {SelectorItems::Capture(), 3, "3 DIV"},
                         {SelectorItems::SecPerDiv(), 5e-7, "0.5 us"},
                         {SelectorItems::VoltsPerDiv(), 1e-4, "100 µV"},
                         {SelectorItems::VoltsPerDiv(), 0.001, "1 mV"},
                         {SelectorItems::Coupling(), 2, "GND"}};
  for (Case c : labels) {
    ASSERT_TRUE(c.Items.SetValue(c.Value)) << c.Label;
    EXPECT_EQ(c.Items.Label(), c.Label);
  }
  EXPECT_EQ(SelectorItems::SecPerDiv().Count(), 22);
  EXPECT_EQ(SelectorItems::VoltsPerDiv().Count(), 22);
  EXPECT_FALSE(SelectorItems::VoltsPerDiv().SetValue(2e-4));
  EXPECT_EQ(SelectorItems::ChannelPosition().Count(), 2001);
}

TEST(SelectorItems, HeldButtonsStepOneItemThenJumpToMultiplesOfTheFastStep) {
  SelectorItems level = SelectorItems::Level();
  level.SetValue(37); // item 27
  EXPECT_EQ(level.HeldTarget(+1, 1900), 28);
  std::vector<std::string> held;
  for (int i = 0; i < 3; ++i) {
    level.SetItemIndex(level.HeldTarget(+1, 2100));
    held.push_back(level.Label());
  }
  EXPECT_EQ(held, (std::vector<std::string>{"40%", "45%", "50%"}));
  level.SetValue(37);
  EXPECT_EQ(level.HeldTarget(-1, 2100), 25);
  level.SetValue(35);
  EXPECT_EQ(level.HeldTarget(-1, 2100), 20);
  level.SetValue(90);
  EXPECT_EQ(level.HeldTarget(+1, 5000), 80); // held at the last item
  EXPECT_EQ(level.StepTarget(+1), 80);
  SelectorItems volts = SelectorItems::VoltsPerDiv(); // no fast step
  volts.SetValue(1.0);
  EXPECT_EQ(volts.HeldTarget(+1, 9000), volts.ItemIndex() + 1);
  SelectorItems position = SelectorItems::TimePosition();
  position.SetValue(0.3);
  EXPECT_EQ(position.Item(position.HeldTarget(+1, 2100)).Value, 1.0);
}

TEST(RepaintThrottle, AtMostOneRepaintPerFrameAndTheSkippedOneComesLater) {
  double now = 100;
  int repaints = 0;
  RepaintThrottle t([&] { return now; });
  t.Repaint = [&] { ++repaints; };
  t.UpdateFrameRate = 20;
  t.Request();
  now += 0.010;
  t.Request();
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(t.Pending());
  now += 0.045; // 55 ms after the first repaint
  t.Request();
  EXPECT_EQ(repaints, 2);
  EXPECT_FALSE(t.Pending());

  t.Suspend();
  now += 1;
  t.Request();
  t.Request();
  EXPECT_EQ(repaints, 2); // only remembered
  t.Resume();
  EXPECT_EQ(repaints, 3);
  t.Resume(); // an extra resume changes nothing

  t.AutoFrameRate = false;
  t.Request();
  t.Request();
  EXPECT_EQ(repaints, 5);
  t.AutoFrameRate = true;
  t.UpdateFrameRate = 0;
  t.Request();
  EXPECT_EQ(repaints, 6);
}

TEST(ScopeLayout, PanelsTakeThreeHundredEightyPixelsAtTheRight) {
  const ScopeLayout l = ComputeScopeLayout(888, 416, false, 120, 134);
  EXPECT_EQ(l.Plot, (LayoutRect{0, 0, 508, 416}));
  EXPECT_EQ(l.ToolBar, (LayoutRect{508, 0, 380, 37}));
  EXPECT_EQ(l.TimeBase, (LayoutRect{508, 37, 190, 134}));
  EXPECT_EQ(l.Trigger, (LayoutRect{698, 37, 190, 134}));
  EXPECT_EQ(l.Channels, (LayoutRect{508, 170, 380, 246}));
  const ScopeLayout hidden = ComputeScopeLayout(888, 416, true, 120, 134);
  EXPECT_EQ(hidden.Plot, (LayoutRect{0, 0, 888, 416}));
  EXPECT_FALSE(hidden.PanelsVisible);
}

TEST(EngineeringUnits, ThreeDigitsInTheUnitOfTheDecade) {
  struct Case {
    std::string (*Format)(double);
    double Value;
    const char* Text;
  };
  const Case cases[] = {
      {FormatTime, 0.5, "500 ms"},
      {FormatTime, 0.0123, "12.3 ms"},
      {FormatTime, 0.001, "1.00 ms"},
      {FormatTime, 4.5e-4, "450 µs"},
      {FormatTime, 2.25e-8, "22.5 ns"},
      {FormatTime, 1e-12, "1.00 ps"},
      {FormatTime, -0.002, "-2.00 ms"},
      {FormatTime, 0, "0 s"},
      {FormatTime, 1, "1 s"},
      {FormatVolts, 2.857, "2.86 V"},
      {FormatVolts, 150, "150 V"},
      {FormatVolts, 0.05, "50.0 mV"},
      {FormatVolts, -3e-6, "-3.00 µV"},
      {FormatVolts, 7e-9, "7.00 nV"},
      {FormatVolts, 0, "0 V"},
      {FormatFrequency, 1000, "1.00 KHz"},
      {FormatFrequency, 2.5, "2.50 Hz"},
      {FormatFrequency, 445000, "445 KHz"},
      {FormatFrequency, 5e7, "50.0 MHz"},
      {FormatFrequency, 1.2e9, "1.20 GHz"},
      // Rounding that reaches the next decade moves to its unit.
      {FormatFrequency, 999.96, "1.00 KHz"},
      {FormatTime, 0.09996, "100 ms"},
      {FormatVolts, -9.996e-4, "-1.00 mV"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.Format(c.Value), c.Text) << c.Value;
}

TEST(TiScopeDrags, ReferenceLinesAndTheMarkerSnapToTenths) {
  struct Line {
    double Height, Position;
  };
  TiScope scope;
  for (Line c : {Line{73.46, 23.4}, Line{200, 100.0}, Line{26.54, -23.4}, Line{-80, -100.0},
                 Line{50, 0}, Line{50.04, 0}}) {
    scope.DragRefLine(0, c.Height);
    EXPECT_EQ(scope.ChannelAt(0).Position(), c.Position) << c.Height;
  }
  scope.DragRefLine(0, 73.46);
  EXPECT_DOUBLE_EQ(scope.ChannelAt(0).RefLineHeight(), 73.4);

  struct Marker {
    double Place, Position;
  };
  for (Marker c : {Marker{0.25, 25.0}, Marker{0.75, -25.0}, Marker{1.5, -50.0}, Marker{-1, 50.0},
                   Marker{0.4321, 6.7}}) {
    scope.DragMarker(c.Place);
    EXPECT_EQ(scope.TimeBase.Position(), c.Position) << c.Place;
  }
  EXPECT_DOUBLE_EQ(scope.MarkerPlace(), 0.5 - 0.067);
}

TEST(TiScopeCursor, ShowsTimesValuesAndFrequencyBetweenThePointers) {
  TiScope scope;
  scope.ToggleCursor();
  EXPECT_TRUE(scope.Plot.CursorEnabled);
  EXPECT_EQ(scope.Plot.CursorChannel, 0);
  scope.ComputeWindow(); // 1 ms per division: 10 ms across
  TiPlotTrace& trace = scope.ChannelAt(0).Trace;
  trace.StartTime = 0;
  trace.Interval = 0.001;
  trace.Values = {0, 1, 2, 3, 4, 5.5f, 6, 7, 8, 9, 10};
  const TiCursorReadout r = scope.CursorReadout();
  EXPECT_EQ(r.Times[0], "4.00 ms");
  EXPECT_EQ(r.Times[1], "6.00 ms");
  EXPECT_EQ(r.Values[0], "4.00 V");
  EXPECT_EQ(r.Values[1], "6.00 V");
  EXPECT_EQ(r.Frequency, "500 Hz");
  trace.Values.clear();
  EXPECT_EQ(scope.CursorReadout().Values[0], "---");
}
