#include "TComParity.h"

TComParity& TComParity::operator=(const TComParity& other) {
  BitsValue = other.BitsValue;
  CheckValue = other.CheckValue;
  ReplaceValue = other.ReplaceValue;
  ReplaceCharValue = other.ReplaceCharValue;
  if (Owner) Owner->Reapply(TComSettingsGroup::Line);
  return *this;
}
