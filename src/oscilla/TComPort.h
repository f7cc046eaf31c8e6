#pragma once

#include "ComTypes.h"
#include "SerialPort.h"
#include "TComBuffer.h"
#include "TComFlowControl.h"
#include "TComParity.h"
#include "TComTimeouts.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

class TComPortSync;
class TComThread;

// One serial port: opened by name through Connected, with line settings, queue
// sizes and time-outs that an open port takes over at once, blocking reads and
// writes, and an event thread that reports the port's events to the handlers,
// by default on the owner's thread (see TComPortSync).
class TComPort : private TComSettingsOwner {
public:
  using TNotifyEvent = std::function<void(TComPort& sender)>;
  using TRxCharEvent = std::function<void(TComPort& sender, int count)>;
  using TLineEvent = std::function<void(TComPort& sender, bool onOff)>;
  using TErrorEvent = std::function<void(TComPort& sender, TComErrors errors)>;

  explicit TComPort(TComPortSync* sync = nullptr);
  ~TComPort();
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  bool Connected() const { return ConnectedValue; }
  void SetConnected(bool value);
  void Open();
  void Close();

  TBaudRate BaudRate() const { return BaudRateValue; }
  void SetBaudRate(TBaudRate value) { ChangeLine(BaudRateValue, value); }
  int CustomBaudRate() const { return CustomBaudRateValue; }
  void SetCustomBaudRate(int value) { ChangeLine(CustomBaudRateValue, value); }
  const std::string& Port() const { return PortValue; }
  void SetPort(const std::string& value);
  TStopBits StopBits() const { return StopBitsValue; }
  void SetStopBits(TStopBits value) { ChangeLine(StopBitsValue, value); }
  TDataBits DataBits() const { return DataBitsValue; }
  void SetDataBits(TDataBits value) { ChangeLine(DataBitsValue, value); }
  bool DiscardNull() const { return DiscardNullValue; }
  void SetDiscardNull(bool value) { ChangeLine(DiscardNullValue, value); }
  char EventChar() const { return EventCharValue; }
  void SetEventChar(char value) { ChangeLine(EventCharValue, value); }
  // Takes effect at the next open.
  TComEvents Events() const { return EventsValue; }
  void SetEvents(TComEvents value) { EventsValue = value; }
  TSyncMethod SyncMethod() const { return SyncMethodValue; }
  void SetSyncMethod(TSyncMethod value);

  TComParity& Parity() { return ParityValue; }
  TComFlowControl& FlowControl() { return FlowControlValue; }
  TComTimeouts& Timeouts() { return TimeoutsValue; }
  TComBuffer& Buffer() { return BufferValue; }

  // Bytes moved under the time-outs; failures raise EComPort 3 and 2.
  int ReadBytes(void* buffer, int count);
  int WriteBytes(const void* buffer, int count);
  // Bytes in the input queue; reading it also clears the line error flags.
  int WaitingCount();
  // Reads and clears the line error flags.
  TComErrors ErrorSet();

  // Raises the handlers for one set of events, in DeliveryOrder.
  void DeliverEvents(TComEvents events);
  static constexpr std::array<TComEvent, 10> DeliveryOrder = {
      TComEvent::evError, TComEvent::evRxChar,  TComEvent::evTxEmpty, TComEvent::evBreak,
      TComEvent::evRing,  TComEvent::evCTS,     TComEvent::evDSR,     TComEvent::evRxFlag,
      TComEvent::evRLSD,  TComEvent::evRx80Full};
  // Alive while the port is open; deliveries posted before a close check it.
  std::weak_ptr<int> OpenToken() const { return OpenTokenValue; }

  TNotifyEvent OnBeforeOpen, OnAfterOpen, OnBeforeClose, OnAfterClose;
  TRxCharEvent OnRxChar;
  TNotifyEvent OnTxEmpty, OnBreak, OnRing, OnRxFlag, OnRx80Full;
  TLineEvent OnCTSChange, OnDSRChange, OnRLSDChange;
  TErrorEvent OnError;

private:
  void Reapply(TComSettingsGroup group) override;
  template <typename T> void ChangeLine(T& field, T value) {
    ChangeSetting(field, value, this, TComSettingsGroup::Line);
  }
  void OpenHandle();
  void ReleaseHandle();
  void ApplySettings();
  void ApplyBufferSizes();
  void ApplyLineSettings();
  void ApplyTimeoutSettings();
  SerialLineSettings LineSettings();
  void RaiseEvent(TComEvent event);
  void RaiseModemChanges();
  static void Raise(const TNotifyEvent& handler, TComPort& sender);
  static void Raise(const TLineEvent& handler, TComPort& sender, bool onOff);

  TComPortSync* Sync;
  SerialPort Serial;
  std::unique_ptr<TComThread> EventThread;
  std::shared_ptr<int> OpenTokenValue;
  bool ConnectedValue = false;
  TBaudRate BaudRateValue = TBaudRate::br9600;
  int CustomBaudRateValue = 9600;
  std::string PortValue = "COM1";
  TStopBits StopBitsValue = TStopBits::sbOneStopBit;
  TDataBits DataBitsValue = TDataBits::dbEight;
  bool DiscardNullValue = false;
  char EventCharValue = 0;
  TComEvents EventsValue = AllComEvents;
  TSyncMethod SyncMethodValue = TSyncMethod::smThreadSync;
  TComParity ParityValue{this};
  TComFlowControl FlowControlValue{this};
  TComTimeouts TimeoutsValue{this};
  TComBuffer BufferValue{this};
};
