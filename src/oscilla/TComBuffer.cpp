#include "TComBuffer.h"

TComBuffer& TComBuffer::operator=(const TComBuffer& other) {
  InputSizeValue = other.InputSizeValue;
  OutputSizeValue = other.OutputSizeValue;
  if (Owner) Owner->Reapply(TComSettingsGroup::Buffer);
  return *this;
}
