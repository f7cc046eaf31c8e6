#include "TDefModuleInfo.h"

std::string_view SourceKindName(uint8_t kind) {
  switch (kind) {
  case stASM: return "ASM";
  case stC: return "C";
  default: return "";
  }
}

int32_t TDefModuleInfo::AddressOfLine(int32_t line) const {
  if (line < 1 || line > Lines.Count()) return -1;
  return Lines[line - 1];
}

int32_t TDefModuleInfo::LineOfAddress(int32_t address) const {
  return Lines.IndexOf(address) + 1;
}

void TDefModuleInfo::RemoveDuplicateLineAddresses() {
  const int32_t count = Lines.Count();
  for (int32_t i = 0; i + 1 < count; ++i) {
    if (Lines[i] != -1 && Lines[i] == Lines[i + 1]) Lines.Put(i, -1);
    if (Lines[i] == -1) continue;
    int32_t c = i + 1;
    while (c <= count - 2 && Lines[c] == -1)
      ++c;
    if (c <= count - 2 && Lines[c] == Lines[i]) Lines.Put(i, -1);
  }
}
