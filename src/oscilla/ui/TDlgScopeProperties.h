#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TiScope;
class TiScopeControl;
class TiSpinSelector;

// "Scope": every setting of the scope on the pages Control (General, Print),
// Channels, Display, Time Base and Trigger. Changes apply at once: a general
// change writes the general, display, time-base and trigger settings, a channel
// change all settings of the selected channel.
class TDlgScopeProperties : public QDialog {
public:
  explicit TDlgScopeProperties(TiScopeControl& control);
  // Shows the scope's current settings.
  void Load();

  QTabWidget* Pages;
  QTabWidget* ControlPages;
  // Control
  QSpinBox* UpdateFrameRate;
  QSpinBox* SamplesPerSecond;
  QCheckBox* AutoFrameRate;
  QLineEdit* DocumentName;
  QDoubleSpinBox* Margins[4];
  QComboBox* Orientation;
  QCheckBox* ShowDialog;
  // Channels
  QListWidget* ChannelList;
  // Add appends a channel with the scope's new-channel settings; Remove is
  // disabled on the last channel, since the scope always keeps one.
  QPushButton* AddButton;
  QPushButton* RemoveButton;
  QLineEdit* Title;
  QPushButton* Color;
  TiSpinSelector* VoltsPerDiv;
  TiSpinSelector* ChannelPosition;
  TiSpinSelector* Coupling;
  QSpinBox* LineWidth;
  QCheckBox* TraceVisible;
  QCheckBox* RefLineShow;
  QDoubleSpinBox* Multiplier;
  QDoubleSpinBox* Offset;
  // Display
  QPushButton* GridColor;
  QCheckBox* TextShow;
  QCheckBox* HorzScrollShow;
  QCheckBox* MeasurementsShow;
  // Time Base and Trigger
  TiSpinSelector* SecPerDiv;
  TiSpinSelector* TimePosition;
  TiSpinSelector* PreCapture;
  TiSpinSelector* PostCapture;
  TiSpinSelector* Level;
  TiSpinSelector* Source;
  QCheckBox* PositiveSlope;
  QCheckBox* Auto;

private:
  QWidget* MakeControlPage();
  QWidget* MakeChannelsPage();
  QWidget* MakeDisplayPage();
  QWidget* MakeTimeBasePage();
  QWidget* MakeTriggerPage();
  void LoadChannel();
  void AddChannel();
  void RemoveChannel();
  void ApplyGeneral();
  void ApplyChannel();
  void PickColor(QPushButton* button);
  int SelectedChannel() const;

  TiScopeControl& Control;
  TiScope& Scope;
  bool Loading = false;
};
