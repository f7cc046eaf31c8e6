#pragma once

#include "SampleFrame.h"
#include "SamplingStatus.h"
#include "TComPort.h"
#include "TComPortQtSync.h"

#include <QTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class TiScopeControl;
class TMessageEvent;

// The oscilloscope's window: the scope fills it, and the port list with "采样"
// and "停止" lie over its lower right corner. Sampling sends 0xAA, collects the
// 1024 samples of the reply across port notifications, plots them as one block,
// waits 250 ms (on a timer: the window stays live) and asks for the next frame.
// The scope's status text says whether frames arrive, the trigger waits or the
// device has fallen silent.
class Tmainform : public QWidget {
public:
  explicit Tmainform(QWidget* parent = nullptr);
  ~Tmainform() override;

  TiScopeControl* iScope1;
  QComboBox* Cb_comm;
  QLabel* StaticText1;
  QPushButton* bb_sample;
  QPushButton* bb_stop;
  TComPortQtSync Sync;
  TComPort ComPort1{&Sync};
  SampleFrame Frame;
  SamplingStatus Status;
  // The pause between a plotted frame and the next request.
  QTimer RequestTimer;
  // Re-evaluates the status text while sampling, also when no byte comes.
  QTimer StatusTimer;

  // Large enough for the panels and for the port list and buttons below them.
  static constexpr QSize MinimumClientSize{640, 416};
  static constexpr int RequestPauseMs = 250;

  void FormCreate();
  void bb_sampleClick();
  void bb_stopClick();
  void ComPort1RxChar(TComPort& sender, int count);
  void WMSampleByte(TMessageEvent& message);
  void WMFrameFull(TMessageEvent& message);
  // The pause is over: the request for the next frame.
  void RequestNextFrame();
  void UpdateStatus();

protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void BuildControls();
  void SetStoredSettings();
  // The port list's hints: the device each COM name stands for.
  void ShowPortHints();
  // The port list and buttons keep their place at the scope's lower right corner.
  void PlacePortControls();
  void StopSampling();
  // Sends a message to this window and hands its handler's error on.
  void SendMessage(int message, intptr_t wParam, intptr_t lParam);
  void ShowError(const std::exception& error);
};
