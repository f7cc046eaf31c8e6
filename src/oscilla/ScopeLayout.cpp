#include "ScopeLayout.h"

#include <algorithm>

ScopeLayout ComputeScopeLayout(int width, int height, bool hidePanels, int timeBaseContentHeight,
                               int triggerContentHeight) {
  ScopeLayout layout;
  if (hidePanels) {
    layout.Plot = {0, 0, width, height};
    layout.PanelsVisible = false;
    return layout;
  }
  constexpr int PanelWidth = 190, ToolBarHeight = 37;
  const int right = width - 2 * PanelWidth;
  const int panelHeight = std::max(timeBaseContentHeight, triggerContentHeight);
  const int channelsTop = ToolBarHeight + panelHeight - 1;
  layout.Plot = {0, 0, right, height};
  layout.ToolBar = {right, 0, 2 * PanelWidth, ToolBarHeight};
  layout.TimeBase = {right, ToolBarHeight, PanelWidth, panelHeight};
  layout.Trigger = {right + PanelWidth, ToolBarHeight, PanelWidth, panelHeight};
  layout.Channels = {right, channelsTop, 2 * PanelWidth, height - channelsTop};
  return layout;
}
