#pragma once

#include "TComSettingsGroup.h"

// Driver queue sizes in bytes; an odd positive size is stored as the even number
// below it. Changes re-apply the sizes of an open port.
class TComBuffer {
public:
  explicit TComBuffer(TComSettingsOwner* owner = nullptr) : Owner(owner) {}
  // Copies the values only; the copy keeps its own port.
  TComBuffer& operator=(const TComBuffer& other);
  TComBuffer(const TComBuffer&) = delete;

  int InputSize() const { return InputSizeValue; }
  int OutputSize() const { return OutputSizeValue; }
  void SetInputSize(int v) { Change(InputSizeValue, v); }
  void SetOutputSize(int v) { Change(OutputSizeValue, v); }

private:
  void Change(int& field, int value) {
    ChangeSetting(field, value > 0 ? value & ~1 : value, Owner, TComSettingsGroup::Buffer);
  }
  TComSettingsOwner* Owner;
  int InputSizeValue = 1024;
  int OutputSizeValue = 1024;
};
