#pragma once

#include "ComTypes.h"
#include "TComSettingsGroup.h"

// Flow-control settings of a port; changes re-apply the line settings of an open
// port. FlowControl is derived from the others and stored nowhere.
class TComFlowControl {
public:
  explicit TComFlowControl(TComSettingsOwner* owner = nullptr) : Owner(owner) {}
  // Copies the values only; the copy keeps its own port.
  TComFlowControl& operator=(const TComFlowControl& other);
  TComFlowControl(const TComFlowControl&) = delete;

  bool OutCTSFlow() const { return OutCTSFlowValue; }
  bool OutDSRFlow() const { return OutDSRFlowValue; }
  TDTRFlowControl ControlDTR() const { return ControlDTRValue; }
  TRTSFlowControl ControlRTS() const { return ControlRTSValue; }
  bool XonXoffOut() const { return XonXoffOutValue; }
  bool XonXoffIn() const { return XonXoffInValue; }
  bool DSRSensitivity() const { return DSRSensitivityValue; }
  bool TxContinueOnXoff() const { return TxContinueOnXoffValue; }
  char XonChar() const { return XonCharValue; }
  char XoffChar() const { return XoffCharValue; }
  void SetOutCTSFlow(bool v) { Change(OutCTSFlowValue, v); }
  void SetOutDSRFlow(bool v) { Change(OutDSRFlowValue, v); }
  void SetControlDTR(TDTRFlowControl v) { Change(ControlDTRValue, v); }
  void SetControlRTS(TRTSFlowControl v) { Change(ControlRTSValue, v); }
  void SetXonXoffOut(bool v) { Change(XonXoffOutValue, v); }
  void SetXonXoffIn(bool v) { Change(XonXoffInValue, v); }
  void SetDSRSensitivity(bool v) { Change(DSRSensitivityValue, v); }
  void SetTxContinueOnXoff(bool v) { Change(TxContinueOnXoffValue, v); }
  void SetXonChar(char v) { Change(XonCharValue, v); }
  void SetXoffChar(char v) { Change(XoffCharValue, v); }

  TFlowControl FlowControl() const;
  void SetFlowControl(TFlowControl value);

private:
  template <typename T> void Change(T& field, T value) {
    ChangeSetting(field, value, Owner, TComSettingsGroup::Line);
  }
  TComSettingsOwner* Owner;
  bool OutCTSFlowValue = false;
  bool OutDSRFlowValue = false;
  TDTRFlowControl ControlDTRValue = TDTRFlowControl::dtrDisable;
  TRTSFlowControl ControlRTSValue = TRTSFlowControl::rtsDisable;
  bool XonXoffOutValue = false;
  bool XonXoffInValue = false;
  bool DSRSensitivityValue = false;
  bool TxContinueOnXoffValue = false;
  char XonCharValue = 17;
  char XoffCharValue = 19;
};
