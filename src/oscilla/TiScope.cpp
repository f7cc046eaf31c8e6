#include "TiScope.h"

#include "EngineeringUnits.h"
#include "TiScopeError.h"

#include <algorithm>
#include <cmath>

TiScope::TiScope() {
  Plot.Throttle.UpdateFrameRate = 20;
  AddChannel();
  ComputeWindow();
}

TiScopeChannel& TiScope::ChannelAt(int index) {
  if (index < 0 || index >= ChannelCount())
    throw TiScopeError("List index out of bounds (" + std::to_string(index) + ")");
  return *Channels[static_cast<size_t>(index)];
}

int TiScope::AddChannel() {
  auto channel = std::make_unique<TiScopeChannel>(ChannelCount() + 1);
  channel->TakeSettings(NewChannel);
  Channels.push_back(std::move(channel));
  RefreshSources();
  SettingsChanged();
  return ChannelCount() - 1;
}

void TiScope::RemoveChannel(int index) {
  ChannelAt(index);
  Channels.erase(Channels.begin() + index);
  if (Plot.CursorChannel >= ChannelCount()) Plot.CursorChannel = ChannelCount() - 1;
  RefreshSources();
  SettingsChanged();
  RequestRepaint();
}

void TiScope::ClearChannels() {
  Channels.clear();
  Plot.CursorChannel = -1;
  RefreshSources();
  SettingsChanged();
  RequestRepaint();
}

void TiScope::RefreshSources() {
  SelectorItems& items = Trigger.SourceItems;
  const std::string chosen = items.Label();
  items.Clear();
  for (int i = 0; i < ChannelCount(); ++i)
    items.Add(Channels[static_cast<size_t>(i)]->TitleText, i);
  if (const int again = items.IndexOfLabel(chosen); again >= 0) items.SetItemIndex(again);
}

void TiScope::SettingsChanged() {
  if (OnSettingsChanged) OnSettingsChanged();
}

void TiScope::BeginBlock() {
  if (BlockActive) throw TiScopeError("Begin Data Block Error: Data Block already Active");
  BlockActive = true;
}

void TiScope::AddBlockValue(int channel, double value) {
  if (!BlockActive) throw TiScopeError("Error Adding Channel Data: Data Block not Active");
  ChannelAt(channel).AddSample(value);
}

bool TiScope::StoresAgree() const {
  return std::all_of(Channels.begin(), Channels.end(), [&](const auto& c) {
    return c->Store.Count() == Channels.front()->Store.Count();
  });
}

void TiScope::EndBlock() {
  if (BlockActive) {
    BlockActive = false;
    if (!StoresAgree())
      throw TiScopeError(
          "End Data Block Error: All Channels must have the same Number of Data Elements");
  }
  ProcessSweeps();
}

void TiScope::ForceTrigger() {
  TimeBase.ForcePending = true;
  ClearTraces();
  ProcessSweeps();
}

void TiScope::ClearTraces() {
  for (auto& c : Channels)
    c->Trace.Values.clear();
  RequestRepaint();
}

void TiScope::ComputeWindow() {
  TiScopeTimeBase& tb = TimeBase;
  tb.WindowSeconds = tb.SecPerDiv() * 10;
  // nearbyint rounds halves to the even neighbour.
  tb.WindowSamples = static_cast<int>(std::nearbyint(SamplesPerSecond * tb.WindowSeconds)) + 1;
  tb.PreSamples = static_cast<int>(std::nearbyint(tb.PreCapture() * tb.WindowSamples / 10));
  tb.PostSamples = static_cast<int>(std::nearbyint(tb.PostCapture() * tb.WindowSamples / 10));
  tb.NeededSamples = tb.PreSamples + tb.WindowSamples + tb.PostSamples;
  Plot.TimeAxis.Span = tb.WindowSeconds;
  Plot.TimeAxis.Min = tb.Position() * tb.WindowSeconds / 100;
  if (SamplesPerSecond != 0) tb.SampleInterval = 1.0 / SamplesPerSecond;
}

void TiScope::DeleteOldest(int count) {
  for (auto& c : Channels)
    c->Store.Delete(count);
}

void TiScope::ProcessSweeps() {
  Plot.Throttle.Suspend();
  ComputeWindow();
  const TiScopeTimeBase& tb = TimeBase;
  const int source = Trigger.SourceIndex();
  // Channels left unequal by a refused block are not read past their ends.
  if (source >= 0 && source < ChannelCount() && StoresAgree()) {
    TiPlotDataScopeList& s = Channels[static_cast<size_t>(source)]->Store;
    if (tb.WindowSamples <= 0) {
      // Only a negative sample rate gets here; such a window holds nothing.
      ClearTraces();
      DeleteOldest(s.Count());
    }
    while (tb.WindowSamples > 0 && s.Count() > tb.NeededSamples) {
      const int c = s.Count();
      const int last = c - tb.WindowSamples - tb.PostSamples;
      int trigger = -1;
      if (Trigger.Auto()) {
        Normalize(s, tb.PreSamples, last);
        trigger = FindTrigger(s, tb.PreSamples, last, Trigger.Level(), Trigger.PositiveSlope());
      } else if (tb.ForcePending) {
        trigger = last;
        TimeBase.ForcePending = false;
      } else {
        TriggerWaitingValue = true;
        if (c <= 3 * tb.NeededSamples) break;
        DeleteOldest(c - 2 * tb.NeededSamples);
      }
      if (trigger < 0) {
        TriggerWaitingValue = true;
        if (s.Count() <= 2 * tb.NeededSamples) break;
        DeleteOldest(s.Count() - tb.NeededSamples);
        continue;
      }
      DrawSweep(trigger);
      TriggerWaitingValue = false;
      // The last drawn sample becomes the oldest kept one.
      DeleteOldest(trigger + tb.WindowSamples + tb.PostSamples - 1);
    }
  }
  Plot.Throttle.Resume();
}

void TiScope::DrawSweep(int t) {
  const TiScopeTimeBase& tb = TimeBase;
  for (auto& c : Channels) {
    TiPlotTrace& trace = c->Trace;
    trace.StartTime = -tb.PreSamples * tb.SampleInterval;
    trace.Interval = tb.SampleInterval;
    trace.Values.clear();
    const int end = t + tb.WindowSamples + tb.PostSamples;
    for (int i = t - tb.PreSamples; i < end; ++i)
      trace.Values.push_back(static_cast<float>(c->DisplayValue(i)));
  }
  RequestRepaint();
}

void TiScope::Normalize(TiPlotDataScopeList& s, int first, int last) {
  double minimum = 1e300, maximum = -1e300;
  for (int i = 0; i < s.Count(); ++i) {
    minimum = std::min(minimum, double{s[i].Value});
    maximum = std::max(maximum, double{s[i].Value});
  }
  const bool flat = minimum == maximum;
  if (flat) maximum += 1e-5;
  const double scale = (maximum - minimum) / 100;
  std::bernoulli_distribution coin;
  for (int i = first; i <= last; ++i) {
    const double jitter = flat && coin(Random) ? 1e-5 : 0;
    s[i].Percent = static_cast<float>((s[i].Value + jitter - minimum) / scale);
  }
}

// The scan runs to the end of the range, so the last trigger found wins.
int TiScope::FindTrigger(const TiPlotDataScopeList& s, int first, int last, double level,
                         bool positiveSlope) {
  int found = -1;
  bool armed = false;
  for (int i = first; i <= last; ++i) {
    const double p = s[i].Percent;
    if (!armed && (positiveSlope ? p > 5 : p < 95)) continue;
    armed = true;
    if (positiveSlope ? p > level : p < level) {
      found = i;
      armed = false;
    }
  }
  return found;
}

void TiScope::DragRefLine(int channel, double height) {
  const double l = std::clamp(height, -50.0, 150.0);
  const int tenths = static_cast<int>(std::trunc(std::fabs(l - 50) * 10 + 0.0001));
  SetChannelPosition(channel, (l >= 50 ? tenths : -tenths) / 10.0);
}

void TiScope::SetChannelPosition(int channel, double position) {
  ChannelAt(channel).SetPosition(position);
  SettingsChanged();
  RequestRepaint();
}

void TiScope::DragMarker(double place) {
  const double x = -(std::clamp(place, 0.0, 1.0) - 0.5) * 100;
  SetTimePosition(std::trunc(x > 0 ? (x + 0.0001) * 10 : x * 10) / 10.0);
}

void TiScope::SetTimePosition(double position) {
  TimeBase.SetPosition(position);
  RequestRepaint();
}

void TiScope::ToggleCursor() {
  if (Channels.empty()) return;
  Plot.CursorEnabled = !Plot.CursorEnabled;
  if (Plot.CursorChannel < 0) Plot.CursorChannel = 0;
  RequestRepaint();
}

TiCursorReadout TiScope::CursorReadout() {
  TiCursorReadout readout;
  const TiPlotAxis& axis = Plot.TimeAxis;
  double times[2];
  for (int k = 0; k < 2; ++k) {
    times[k] = axis.Min + axis.Span * Plot.CursorPointers[k];
    readout.Times[k] = FormatTime(times[k]);
    readout.Values[k] = "---";
    if (Plot.CursorChannel < 0 || Plot.CursorChannel >= ChannelCount()) continue;
    const TiPlotTrace& trace = ChannelAt(Plot.CursorChannel).Trace;
    if (trace.Values.empty() || trace.Interval <= 0) continue;
    const double at = std::round((times[k] - trace.StartTime) / trace.Interval);
    if (at >= 0 && at < static_cast<double>(trace.Values.size()))
      readout.Values[k] = FormatVolts(trace.Values[static_cast<size_t>(at)]);
  }
  const double dt = std::fabs(times[1] - times[0]);
  readout.Frequency = dt > 0 ? FormatFrequency(1 / dt) : "---";
  return readout;
}

void TiScope::SetStatus(TScopeStatus status) {
  if (status == Plot.Status) return;
  Plot.Status = status;
  RequestRepaint();
}

TraceMeasurements TiScope::Measure(int channel) {
  return MeasureTrace(ChannelAt(channel).Trace, Plot.TimeAxis, Trigger.Level(),
                      Trigger.PositiveSlope());
}

std::vector<std::string> TiScope::MeasurementReadout(int channel) {
  return MeasurementItems(Measure(channel));
}

std::optional<double> TiScope::TriggerLevelHeight() {
  const int source = Trigger.SourceIndex();
  if (source < 0 || source >= ChannelCount()) return std::nullopt;
  const TraceMeasurements m = Measure(source);
  const TiPlotAxis& axis = ChannelAt(source).Axis();
  if (!m.Valid || axis.Span <= 0) return std::nullopt;
  return (m.LevelValue - axis.Min) / axis.Span * 100;
}

std::string TiScope::TimeBaseReadout() const {
  return TimeBase.SecPerDivItems.Label();
}

std::string TiScope::ChannelReadout(int channel) {
  const TiScopeChannel& c = ChannelAt(channel);
  return VoltsLabel(c.VoltsPerDivision()) + " " + CouplingLabel(c.Coupling);
}

std::string TiScope::VoltsLabel(double voltsPerDivision) {
  static const SelectorItems volts = SelectorItems::VoltsPerDiv();
  const int i = volts.IndexOf(voltsPerDivision);
  // Code may set any scale; one outside the list is written in engineering units.
  return i >= 0 ? volts.Item(i).Label : FormatVolts(voltsPerDivision);
}

std::string TiScope::CouplingLabel(TiScopeChannelCoupling coupling) {
  switch (coupling) {
  case TiScopeChannelCoupling::isccDC: return "DC";
  case TiScopeChannelCoupling::isccAC: return "AC";
  case TiScopeChannelCoupling::isccGround: return "GND";
  }
  return "";
}
