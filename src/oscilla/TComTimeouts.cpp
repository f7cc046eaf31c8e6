#include "TComTimeouts.h"

TComTimeouts& TComTimeouts::operator=(const TComTimeouts& other) {
  ReadIntervalValue = other.ReadIntervalValue;
  ReadTotalMultiplierValue = other.ReadTotalMultiplierValue;
  ReadTotalConstantValue = other.ReadTotalConstantValue;
  WriteTotalMultiplierValue = other.WriteTotalMultiplierValue;
  WriteTotalConstantValue = other.WriteTotalConstantValue;
  if (Owner) Owner->Reapply(TComSettingsGroup::Timeouts);
  return *this;
}
