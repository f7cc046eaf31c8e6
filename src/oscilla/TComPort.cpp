#include "TComPort.h"

#include "EComPort.h"
#include "PortNames.h"
#include "TComPortSync.h"
#include "TComThread.h"

#include <cstring>

namespace {

constexpr int ErrOpen = 1, ErrWrite = 2, ErrRead = 3, ErrSetState = 7, ErrClearError = 10,
              ErrModemStatus = 11, ErrConnected = 14;

SerialStopBits StopBitsFor(TStopBits bits) {
  switch (bits) {
  case TStopBits::sbOneStopBit: return SerialStopBits::One;
  case TStopBits::sbOne5StopBits: return SerialStopBits::OneAndHalf;
  case TStopBits::sbTwoStopBits: return SerialStopBits::Two;
  }
  return SerialStopBits::One;
}

uint32_t TimeoutValue(int ms) {
  return static_cast<uint32_t>(ms);
} // -1 becomes all ones

} // namespace

TComPort::TComPort(TComPortSync* sync) : Sync(sync) {}

TComPort::~TComPort() {
  try {
    Close();
  } catch (const EComPort&) {
    // A port that cannot be purged on the way out is closed all the same.
  }
}

void TComPort::SetConnected(bool value) {
  if (value)
    Open();
  else
    Close();
}

void TComPort::Open() {
  if (ConnectedValue) return;
  Raise(OnBeforeOpen, *this);
  OpenHandle();
  ConnectedValue = true;
  try {
    ApplySettings();
  } catch (const EComPort&) {
    ReleaseHandle();
    ConnectedValue = false;
    throw;
  }
  OpenTokenValue = std::make_shared<int>(0);
  if (!EventsValue.Empty())
    EventThread = std::make_unique<TComThread>(*this, Serial, EventsValue, SyncMethodValue, Sync);
  Raise(OnAfterOpen, *this);
  RaiseModemChanges();
}

void TComPort::Close() {
  if (!ConnectedValue) return;
  Raise(OnCTSChange, *this, false);
  Raise(OnDSRChange, *this, false);
  Raise(OnRLSDChange, *this, false);
  Raise(OnBeforeClose, *this);
  // Ends a pending event wait; the thread then clears both queues on its way out.
  Serial.CancelWait();
  EventThread.reset();
  OpenTokenValue.reset();
  ReleaseHandle();
  ConnectedValue = false;
  Raise(OnAfterClose, *this);
}

void TComPort::OpenHandle() {
  const std::string device = ResolvePortName(PortValue);
  const SerialResult result = Serial.Open(device);
  // The number alone does not tell which device a COM name stood for.
  if (!result.Ok())
    throw EComPort(ErrOpen, result.Errno,
                   (PortValue == device ? device : PortValue + " = " + device) + ": " +
                       std::strerror(result.Errno));
}

void TComPort::ReleaseHandle() {
  Serial.Close();
}

void TComPort::ApplySettings() {
  ApplyBufferSizes();
  ApplyLineSettings();
  ApplyTimeoutSettings();
}

void TComPort::ApplyBufferSizes() {
  Serial.SetQueueSizes(static_cast<uint32_t>(BufferValue.InputSize()),
                       static_cast<uint32_t>(BufferValue.OutputSize()));
}

SerialLineSettings TComPort::LineSettings() {
  SerialLineSettings s;
  s.BaudRate = ::BaudRateValue(BaudRateValue, static_cast<uint32_t>(CustomBaudRateValue));
  s.DataBits = 5 + static_cast<int>(DataBitsValue);
  s.Parity = static_cast<SerialParity>(ParityValue.Bits());
  s.StopBits = StopBitsFor(StopBitsValue);
  s.ParityCheck = ParityValue.Check();
  s.OutCtsFlow = FlowControlValue.OutCTSFlow();
  s.XonXoffOut = FlowControlValue.XonXoffOut();
  s.XonXoffIn = FlowControlValue.XonXoffIn();
  s.XonChar = FlowControlValue.XonChar();
  s.XoffChar = FlowControlValue.XoffChar();
  s.Dtr = static_cast<SerialDtr>(FlowControlValue.ControlDTR());
  s.Rts = static_cast<SerialRts>(FlowControlValue.ControlRTS());
  return s;
}

void TComPort::ApplyLineSettings() {
  const SerialResult result = Serial.SetLine(LineSettings());
  if (!result.Ok()) throw EComPort(ErrSetState, result.Errno);
}

void TComPort::ApplyTimeoutSettings() {
  const TComTimeouts& t = TimeoutsValue;
  Serial.SetTimeouts({TimeoutValue(t.ReadInterval()), TimeoutValue(t.ReadTotalMultiplier()),
                      TimeoutValue(t.ReadTotalConstant()), TimeoutValue(t.WriteTotalMultiplier()),
                      TimeoutValue(t.WriteTotalConstant())});
}

void TComPort::Reapply(TComSettingsGroup group) {
  if (!ConnectedValue) return;
  switch (group) {
  case TComSettingsGroup::Line: ApplyLineSettings(); break;
  case TComSettingsGroup::Timeouts: ApplyTimeoutSettings(); break;
  case TComSettingsGroup::Buffer: ApplyBufferSizes(); break;
  }
}

void TComPort::SetPort(const std::string& value) {
  if (value == PortValue) return;
  PortValue = value;
  if (ConnectedValue) {
    Close();
    Open();
  }
}

void TComPort::SetSyncMethod(TSyncMethod value) {
  if (value == SyncMethodValue) return;
  if (ConnectedValue) throw EComPort(ErrConnected);
  SyncMethodValue = value;
}

int TComPort::ReadBytes(void* buffer, int count) {
  size_t done = 0;
  const SerialResult result = Serial.Read(buffer, count > 0 ? static_cast<size_t>(count) : 0, done);
  if (!result.Ok()) throw EComPort(ErrRead, result.Errno);
  return static_cast<int>(done);
}

int TComPort::WriteBytes(const void* buffer, int count) {
  size_t done = 0;
  const SerialResult result =
      Serial.Write(buffer, count > 0 ? static_cast<size_t>(count) : 0, done);
  if (!result.Ok()) throw EComPort(ErrWrite, result.Errno);
  return static_cast<int>(done);
}

int TComPort::WaitingCount() {
  uint32_t errors = 0, waiting = 0;
  const SerialResult result = Serial.TakeErrors(errors, waiting);
  if (!result.Ok()) throw EComPort(ErrClearError, result.Errno);
  return static_cast<int>(waiting);
}

TComErrors TComPort::ErrorSet() {
  uint32_t errors = 0, waiting = 0;
  const SerialResult result = Serial.TakeErrors(errors, waiting);
  if (!result.Ok()) throw EComPort(ErrClearError, result.Errno);
  TComErrors set;
  if (errors & SerialError::Frame) set.Include(TComError::ceFrame);
  if ((errors & SerialError::Parity) && ParityValue.Check()) set.Include(TComError::ceRxParity);
  if (errors & SerialError::Overrun) set.Include(TComError::ceOverrun);
  if (errors & SerialError::RxOver) set.Include(TComError::ceRxOver);
  if (errors & SerialError::Break) set.Include(TComError::ceBreak);
  return set;
}

void TComPort::DeliverEvents(TComEvents events) {
  for (TComEvent event : DeliveryOrder)
    if (events.Has(event)) RaiseEvent(event);
}

void TComPort::RaiseEvent(TComEvent event) {
  uint32_t lines = 0;
  if (event == TComEvent::evCTS || event == TComEvent::evDSR || event == TComEvent::evRLSD) {
    const SerialResult result = Serial.ModemStatus(lines);
    if (!result.Ok()) throw EComPort(ErrModemStatus, result.Errno);
  }
  switch (event) {
  case TComEvent::evError:
    if (const TComErrors errors = ErrorSet(); !errors.Empty() && OnError) OnError(*this, errors);
    break;
  case TComEvent::evRxChar:
    if (const int count = WaitingCount(); count > 0 && OnRxChar) OnRxChar(*this, count);
    break;
  case TComEvent::evTxEmpty: Raise(OnTxEmpty, *this); break;
  case TComEvent::evBreak: Raise(OnBreak, *this); break;
  case TComEvent::evRing: Raise(OnRing, *this); break;
  case TComEvent::evRxFlag: Raise(OnRxFlag, *this); break;
  case TComEvent::evRx80Full: Raise(OnRx80Full, *this); break;
  case TComEvent::evCTS: Raise(OnCTSChange, *this, lines & SerialModem::Cts); break;
  case TComEvent::evDSR: Raise(OnDSRChange, *this, lines & SerialModem::Dsr); break;
  case TComEvent::evRLSD: Raise(OnRLSDChange, *this, lines & SerialModem::Rlsd); break;
  }
}

void TComPort::RaiseModemChanges() {
  uint32_t lines = 0;
  const SerialResult result = Serial.ModemStatus(lines);
  if (!result.Ok()) throw EComPort(ErrModemStatus, result.Errno);
  Raise(OnCTSChange, *this, lines & SerialModem::Cts);
  Raise(OnDSRChange, *this, lines & SerialModem::Dsr);
  Raise(OnRLSDChange, *this, lines & SerialModem::Rlsd);
}

void TComPort::Raise(const TNotifyEvent& handler, TComPort& sender) {
  if (handler) handler(sender);
}

void TComPort::Raise(const TLineEvent& handler, TComPort& sender, bool onOff) {
  if (handler) handler(sender, onOff);
}
