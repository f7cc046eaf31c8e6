#pragma once

#include <QFrame>

class QCheckBox;
class QTreeWidget;
class TiScope;
class TiSpinSelector;

// "Channels": the list of channels and the controls acting on the selected one:
// Volts/DIV, Position, Coupling, "Visible" and "Ref Line". With no channel
// selected the controls are disabled.
class TiScopePanelChannels : public QFrame {
public:
  TiScopePanelChannels(TiScope& scope, QWidget* parent = nullptr);
  void Refresh();
  int SelectedChannel() const { return Selected; }
  void SelectChannel(int index);

  QTreeWidget* List;
  TiSpinSelector* VoltsPerDiv;
  TiSpinSelector* Position;
  TiSpinSelector* Coupling;
  QCheckBox* Visible;
  QCheckBox* RefLine;

private:
  void FillList();
  void ShowSelected();
  void Changed();

  TiScope& Scope;
  int Selected = -1;
};
