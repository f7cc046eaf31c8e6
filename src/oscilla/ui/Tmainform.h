#pragma once

#include "SampleFrame.h"
#include "TComPort.h"
#include "TComPortQtSync.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class TiScopeControl;
class TMessageEvent;

// The oscilloscope's window: the scope fills it, and the port list with "采样"
// and "停止" lie over its lower right corner. Sampling sends 0xAA, collects the
// 1024 samples of the reply across port notifications, plots them as one block,
// waits 250 ms and asks for the next frame.
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

  void FormCreate();
  void bb_sampleClick();
  void bb_stopClick();
  void ComPort1RxChar(TComPort& sender, int count);
  void WMSampleByte(TMessageEvent& message);
  void WMFrameFull(TMessageEvent& message);

protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  void SetStoredSettings();
  // Sends a message to this window and hands its handler's error on.
  void SendMessage(int message, intptr_t wParam, intptr_t lParam);
  void ShowError(const std::exception& error);
};
