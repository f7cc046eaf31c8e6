#pragma once

#include <string>
#include <vector>

struct SelectorItem {
  std::string Label;
  double Value;
};

// The ordered (label, value) items of a spin selector and its current item.
// Values are matched exactly, so every table builds its values the way callers
// compute them (k / 10.0 for tenths).
class SelectorItems {
public:
  SelectorItems(int repeatIntervalMs = 0, int fastStep = 0)
      : RepeatIntervalMs(repeatIntervalMs), FastStep(fastStep) {}

  // The first item added to an empty selector becomes current.
  void Add(std::string label, double value);
  void Clear();
  int Count() const { return static_cast<int>(Items.size()); }
  const SelectorItem& Item(int index) const { return Items[static_cast<size_t>(index)]; }
  int ItemIndex() const { return Index; }
  void SetItemIndex(int index);

  // The current value, -1 when there is no item.
  double Value() const;
  // Selects the first item of exactly this value; false (and no change) if none has it.
  bool SetValue(double value);
  int IndexOf(double value) const;
  int IndexOfLabel(const std::string& label) const;
  std::string Label() const;

  // Where the up (+1) or down (-1) button leads: one item, held to the ends.
  int StepTarget(int direction) const;
  // Where a held button leads after heldMs: past two seconds a selector with a fast
  // step jumps to the next multiple of it (in items) instead of one item.
  int HeldTarget(int direction, int heldMs) const;

  // Milliseconds between repeats of a held button, after the first 500 ms.
  int RepeatIntervalMs;
  int FastStep;

  static SelectorItems SecPerDiv();
  static SelectorItems TimePosition();
  static SelectorItems Capture();
  static SelectorItems Level();
  static SelectorItems VoltsPerDiv();
  static SelectorItems ChannelPosition();
  static SelectorItems Coupling();

private:
  std::vector<SelectorItem> Items;
  int Index = -1;
};
