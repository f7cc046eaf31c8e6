#include "SelectPortForm.h"

#include "TOptionBlock.h"

void SelectPortForm::Show(const TOptionBlock& option) {
  Port = option.SelectPort;
}

bool SelectPortForm::Accept(TOptionBlock& option) const {
  const bool changed = option.SelectPort != Port;
  option.SelectPort = static_cast<uint8_t>(Port);
  return changed;
}
