#include "TBreakpointMap.h"
#include "TCPU.h"

uint32_t TCPU::ExecuteUntilBreakpoint(const TBreakpointMap& breaks, uint32_t maxCount) {
  if (maxCount == 0) return 0;
  uint16_t pc = PC;
  uint32_t left = maxCount;
  do {
    pc = Mcs51::Execute(*this, pc);
  } while (--left != 0 && !breaks.Contains(pc));
  PC = pc;
  return maxCount - left;
}
