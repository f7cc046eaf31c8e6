#pragma once

struct LayoutRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const LayoutRect&) const = default;
};

struct ScopeLayout {
  LayoutRect Plot, ToolBar, TimeBase, Trigger, Channels;
  bool PanelsVisible = true;
};

// Places the plot and the four panels in a control of the given size. With panels
// the time-base and trigger panels are 190 px wide side by side under the 37 px
// toolbar, as tall as the taller of their contents; the channels panel fills the
// rest of the right side, overlapping them by one pixel; the plot takes the left.
ScopeLayout ComputeScopeLayout(int width, int height, bool hidePanels, int timeBaseContentHeight,
                               int triggerContentHeight);
