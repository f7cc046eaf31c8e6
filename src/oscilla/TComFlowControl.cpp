#include "TComFlowControl.h"

TComFlowControl& TComFlowControl::operator=(const TComFlowControl& other) {
  OutCTSFlowValue = other.OutCTSFlowValue;
  OutDSRFlowValue = other.OutDSRFlowValue;
  ControlDTRValue = other.ControlDTRValue;
  ControlRTSValue = other.ControlRTSValue;
  XonXoffOutValue = other.XonXoffOutValue;
  XonXoffInValue = other.XonXoffInValue;
  DSRSensitivityValue = other.DSRSensitivityValue;
  TxContinueOnXoffValue = other.TxContinueOnXoffValue;
  XonCharValue = other.XonCharValue;
  XoffCharValue = other.XoffCharValue;
  if (Owner) Owner->Reapply(TComSettingsGroup::Line);
  return *this;
}

// DTR and DSR flow do not enter: a port with DTR held on still counts as fcNone.
TFlowControl TComFlowControl::FlowControl() const {
  const bool xonXoff = XonXoffInValue && XonXoffOutValue;
  const bool noXonXoff = !XonXoffInValue && !XonXoffOutValue;
  if (ControlRTSValue == TRTSFlowControl::rtsHandshake && OutCTSFlowValue && noXonXoff)
    return TFlowControl::fcHardware;
  if (ControlRTSValue == TRTSFlowControl::rtsDisable && !OutCTSFlowValue && xonXoff)
    return TFlowControl::fcSoftware;
  if (ControlRTSValue == TRTSFlowControl::rtsDisable && !OutCTSFlowValue && noXonXoff)
    return TFlowControl::fcNone;
  return TFlowControl::fcCustom;
}

void TComFlowControl::SetFlowControl(TFlowControl value) {
  if (value != TFlowControl::fcCustom) {
    ControlRTSValue = TRTSFlowControl::rtsDisable;
    OutCTSFlowValue = XonXoffInValue = XonXoffOutValue = false;
  }
  if (value == TFlowControl::fcHardware) {
    ControlRTSValue = TRTSFlowControl::rtsHandshake;
    OutCTSFlowValue = true;
  } else if (value == TFlowControl::fcSoftware) {
    XonXoffInValue = XonXoffOutValue = true;
  }
  if (Owner) Owner->Reapply(TComSettingsGroup::Line);
}
