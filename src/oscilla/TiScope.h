#pragma once

#include "TiPlot.h"
#include "TiScopeChannel.h"
#include "TiScopeDisplay.h"
#include "TiScopeTimeBase.h"
#include "TiScopeTrigger.h"
#include "TraceMeasurements.h"

#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

enum class TPrintOrientation { poPortrait, poLandscape };

// The scope's data path: channels fed in data blocks, a growing sample stream per
// channel, and after every block a trigger search that draws one sweep of fixed
// length per accepted trigger. The Qt control shows it (ui/TiScopeControl).
class TiScope {
public:
  TiScope();

  int SamplesPerSecond = 200000;
  bool HideControlPanels = false;
  TPrintOrientation PrintOrientation = TPrintOrientation::poLandscape;
  double PrintMarginLeft = 0, PrintMarginTop = 0, PrintMarginRight = 0, PrintMarginBottom = 0;
  bool PrintShowDialog = true;
  std::string PrintDocumentName = "Untitled";
  std::string PrinterName;
  bool AutoFrameRate() const { return Plot.Throttle.AutoFrameRate; }
  void SetAutoFrameRate(bool value) { Plot.Throttle.AutoFrameRate = value; }
  int UpdateFrameRate() const { return Plot.Throttle.UpdateFrameRate; }
  void SetUpdateFrameRate(int value) { Plot.Throttle.UpdateFrameRate = value; }

  TiScopeTimeBase TimeBase{*this};
  TiScopeTrigger Trigger{*this};
  TiScopeDisplay Display;
  TiPlot Plot;

  int ChannelCount() const { return static_cast<int>(Channels.size()); }
  TiScopeChannel& ChannelAt(int index);
  // A new channel takes the settings of NewChannel (at first the defaults).
  int AddChannel();
  TiScopeChannel NewChannel{0};
  void RemoveChannel(int index);
  void ClearChannels();
  // Call after a channel's title changed: the trigger's source list follows.
  void RefreshSources();

  void BeginBlock();
  void AddBlockValue(int channel, double value);
  void EndBlock();
  void ForceTrigger();
  void ProcessSweeps();
  void ComputeWindow();
  void ClearTraces();
  // True once a search over more than a whole sweep found no trigger (or, with
  // manual triggering, more than a sweep is stored and none was forced), until
  // the next sweep is drawn.
  bool TriggerWaiting() const { return TriggerWaitingValue; }

  // The trigger search over first .. last of one store.
  void Normalize(TiPlotDataScopeList& store, int first, int last);
  static int FindTrigger(const TiPlotDataScopeList& store, int first, int last, double level,
                         bool positiveSlope);

  // Where the time position marker sits on the grid's 0 .. 1 scale; it is drawn
  // at height 3 of the 0 .. 100 scale.
  double MarkerPlace() const { return 0.5 - TimeBase.Position() / 100; }
  // The operator dragged a channel's reference line to a height, or the time
  // position marker to a place.
  void DragRefLine(int channel, double height);
  void DragMarker(double place);
  void SetChannelPosition(int channel, double position);
  void SetTimePosition(double position);
  // The cursor button; nothing happens while no channel has a trace.
  void ToggleCursor();
  TiCursorReadout CursorReadout();

  // The status text the plot shows; a change repaints.
  void SetStatus(TScopeStatus status);
  // The visible part of a channel's last sweep measured at the trigger's level
  // and slope.
  TraceMeasurements Measure(int channel);
  std::vector<std::string> MeasurementReadout(int channel);
  // Where the trigger level lies on the grid's 0 .. 100 scale, on the source
  // channel's axis; nothing while the source shows no trace.
  std::optional<double> TriggerLevelHeight();

  std::string TimeBaseReadout() const;
  std::string ChannelReadout(int channel);
  static std::string VoltsLabel(double voltsPerDivision);
  static std::string CouplingLabel(TiScopeChannelCoupling coupling);

  void RequestRepaint() { Plot.Throttle.Request(); }
  // Settings changed: the panels refresh what they show.
  void SettingsChanged();
  std::function<void()> OnSettingsChanged;

private:
  void DeleteOldest(int count);
  void DrawSweep(int trigger);
  bool StoresAgree() const;

  std::vector<std::unique_ptr<TiScopeChannel>> Channels;
  bool BlockActive = false;
  bool TriggerWaitingValue = false;
  std::mt19937 Random{std::random_device{}()};
};
