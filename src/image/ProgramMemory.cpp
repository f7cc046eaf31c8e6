#include "ProgramMemory.h"

#include "TCPU.h"
#include "TargetLink.h"

#include <algorithm>

void StoreCode(TCPU& cpu, uint16_t address, const uint8_t* bytes, size_t count) {
  if (count == 0) return;
  std::copy(bytes, bytes + count, cpu.Code.begin() + address);
  if (cpu.Link) cpu.Link->WriteCode(address, static_cast<int>(count));
}
