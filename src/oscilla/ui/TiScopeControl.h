#pragma once

#include "TiScope.h"

#include <QWidget>

class QPrinter;
class TDlgScopeProperties;
class TiPlotWidget;
class TiScopePanelChannels;
class TiScopePanelTimeBase;
class TiScopePanelToolBar;
class TiScopePanelTrigger;

// The scope control on screen: the plot surface at the left and the toolbar,
// time-base, trigger and channels panels at the right (or the plot alone when
// the panels are hidden).
class TiScopeControl : public QWidget {
public:
  explicit TiScopeControl(QWidget* parent = nullptr);
  ~TiScopeControl() override;

  TiScope& Scope() { return ScopeValue; }
  // Places plot and panels again (after a resize or HideControlPanels).
  void UpdateLayout();
  // The panels show the scope's settings again.
  void RefreshPanels();

  // The toolbar's commands.
  void ToggleCursor();
  void ShowProperties();
  void CopyToClipboard();
  void SavePicture();
  // Writes the plot picture; the format follows the extension (bmp, jpg, png, svg).
  bool SavePictureAs(const QString& fileName);
  void Print();
  // Prints one page with the plot on it; false when the printer cannot start.
  bool PrintTo(QPrinter& printer);
  // The plot on a page whose printable area is `page` (device pixels).
  void PaintPage(QPainter& painter, const QRect& page);
  QImage PlotPicture();

  TiPlotWidget* Plot;
  TiScopePanelToolBar* ToolBar;
  TiScopePanelTimeBase* TimeBasePanel;
  TiScopePanelTrigger* TriggerPanel;
  TiScopePanelChannels* ChannelsPanel;

protected:
  void resizeEvent(QResizeEvent*) override;

private:
  TiScope ScopeValue;
  TDlgScopeProperties* Properties = nullptr;
};
