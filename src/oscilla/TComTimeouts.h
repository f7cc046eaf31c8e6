#pragma once

#include "TComSettingsGroup.h"

// Time-outs of a port in milliseconds, -1 meaning "for ever"; changes re-apply the
// time-outs of an open port.
class TComTimeouts {
public:
  explicit TComTimeouts(TComSettingsOwner* owner = nullptr) : Owner(owner) {}
  // Copies the values only; the copy keeps its own port.
  TComTimeouts& operator=(const TComTimeouts& other);
  TComTimeouts(const TComTimeouts&) = delete;

  int ReadInterval() const { return ReadIntervalValue; }
  int ReadTotalMultiplier() const { return ReadTotalMultiplierValue; }
  int ReadTotalConstant() const { return ReadTotalConstantValue; }
  int WriteTotalMultiplier() const { return WriteTotalMultiplierValue; }
  int WriteTotalConstant() const { return WriteTotalConstantValue; }
  void SetReadInterval(int v) { Change(ReadIntervalValue, v); }
  void SetReadTotalMultiplier(int v) { Change(ReadTotalMultiplierValue, v); }
  void SetReadTotalConstant(int v) { Change(ReadTotalConstantValue, v); }
  void SetWriteTotalMultiplier(int v) { Change(WriteTotalMultiplierValue, v); }
  void SetWriteTotalConstant(int v) { Change(WriteTotalConstantValue, v); }

private:
  void Change(int& field, int value) {
    ChangeSetting(field, value, Owner, TComSettingsGroup::Timeouts);
  }
  TComSettingsOwner* Owner;
  int ReadIntervalValue = -1;
  int ReadTotalMultiplierValue = 0;
  int ReadTotalConstantValue = 0;
  int WriteTotalMultiplierValue = 100;
  int WriteTotalConstantValue = 1000;
};
