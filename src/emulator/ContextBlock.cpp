#include "ContextBlock.h"

#include "TCPU.h"

#include <array>

namespace {

// Restores the registers the monitor used, loads each SFR by an immediate
// move and jumps to the user's PC.
constexpr std::array<uint8_t, 55> RoutineA = {
    0x79, 0x02, 0x78, 0x2E, 0x90, 0x08, 0x02, 0xE0, 0xF7, 0x09, 0xA3, 0xD8, 0xFA, 0x90,
    0x08, 0x00, 0xE0, 0xF8, 0xA3, 0xE0, 0xF9, 0x90, 0xC0, 0x20, 0xE0, 0x75, 0xA0, 0x00,
    0x75, 0x81, 0x00, 0x75, 0xD0, 0x00, 0x75, 0xF0, 0x00, 0x75, 0x88, 0x00, 0x75, 0x82,
    0x80, 0xE0, 0x74, 0x00, 0x90, 0x00, 0x00, 0x75, 0xA8, 0x00, 0x02, 0x00, 0x00};

constexpr std::array<uint8_t, 59> RoutineB = {
    0x90, 0x7F, 0x0C, 0x79, 0x02, 0x78, 0x0E, 0x83, 0xE4, 0x93, 0xF7, 0x09, 0xA3, 0xD8, 0xF9,
    0x90, 0x7F, 0x0A, 0xE4, 0x93, 0xF8, 0xA3, 0xE4, 0x93, 0xF9, 0x83, 0x90, 0x80, 0x40, 0xE4,
    0x93, 0x75, 0x81, 0x00, 0x75, 0xD0, 0x00, 0x75, 0xF0, 0x00, 0x75, 0x88, 0x00, 0x75, 0x82,
    0x00, 0xE4, 0x93, 0x74, 0x00, 0x90, 0x00, 0x00, 0x75, 0xA8, 0x00, 0x02, 0x00, 0x00};

const ContextLayout LayoutA{RoutineA, 75, 78, 81, 84, 87, 93, 95, 96, 99, 101, 102};
const ContextLayout LayoutB{RoutineB, -1, 81, 84, 87, 90, 97, 99, 100, 103, 105, 106};

uint8_t RegisterByName(TCPU& cpu, const char* name) {
  return static_cast<uint8_t>(cpu.GetRegisterValue(cpu.FindRegisterIndex(name)));
}

} // namespace

bool ContextLayout::IsMarked(size_t offset) const {
  for (int marked : {P2, SP, PSW, B, TCON, ACC, DPH, DPL, IE, PCHigh, PCLow})
    if (marked >= 0 && static_cast<size_t>(marked) == offset) return true;
  return false;
}

const ContextLayout& ContextLayoutFor(int emlutorCpu) {
  return emlutorCpu <= 1 ? LayoutA : LayoutB;
}

const ContextLayout* ContextLayoutOfSize(size_t size) {
  if (size == LayoutA.Size()) return &LayoutA;
  if (size == LayoutB.Size()) return &LayoutB;
  return nullptr;
}

std::vector<uint8_t> BuildContextBlock(TCPU& cpu, int emlutorCpu) {
  const ContextLayout& layout = ContextLayoutFor(emlutorCpu);
  std::vector<uint8_t> block(cpu.IRam.begin(), cpu.IRam.begin() + ContextLayout::IRamBytes);
  block.insert(block.end(), layout.Routine.begin(), layout.Routine.end());
  auto put = [&block](int offset, uint8_t value) { block[static_cast<size_t>(offset)] = value; };
  if (layout.P2 >= 0) put(layout.P2, RegisterByName(cpu, "P2"));
  put(layout.SP, cpu.SfrAt(SFR_SP));
  put(layout.PSW, cpu.SfrAt(SFR_PSW));
  put(layout.B, cpu.SfrAt(SFR_B));
  put(layout.TCON, RegisterByName(cpu, "TCON"));
  put(layout.ACC, cpu.SfrAt(SFR_ACC));
  put(layout.DPH, cpu.SfrAt(SFR_DPH));
  put(layout.DPL, cpu.SfrAt(SFR_DPL));
  put(layout.IE, RegisterByName(cpu, "IE"));
  put(layout.PCHigh, static_cast<uint8_t>(cpu.PC >> 8));
  put(layout.PCLow, static_cast<uint8_t>(cpu.PC));
  return block;
}
