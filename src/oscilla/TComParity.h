#pragma once

#include "ComTypes.h"
#include "TComSettingsGroup.h"

// Parity settings of a port; changes re-apply the line settings of an open port.
class TComParity {
public:
  explicit TComParity(TComSettingsOwner* owner = nullptr) : Owner(owner) {}
  // Copies the values only; the copy keeps its own port.
  TComParity& operator=(const TComParity& other);
  TComParity(const TComParity&) = delete;

  TParityBits Bits() const { return BitsValue; }
  bool Check() const { return CheckValue; }
  bool Replace() const { return ReplaceValue; }
  char ReplaceChar() const { return ReplaceCharValue; }
  void SetBits(TParityBits v) { Change(BitsValue, v); }
  void SetCheck(bool v) { Change(CheckValue, v); }
  void SetReplace(bool v) { Change(ReplaceValue, v); }
  void SetReplaceChar(char v) { Change(ReplaceCharValue, v); }

private:
  template <typename T> void Change(T& field, T value) {
    ChangeSetting(field, value, Owner, TComSettingsGroup::Line);
  }
  TComSettingsOwner* Owner;
  TParityBits BitsValue = TParityBits::prNone;
  bool CheckValue = false;
  bool ReplaceValue = false;
  char ReplaceCharValue = 0;
};
