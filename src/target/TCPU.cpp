#include "TCPU.h"

#include "TargetLink.h"
#include "UserInterface.h"

namespace {

struct DefaultRegister {
  const char* Name;
  bool IsPair;
  uint8_t AddrHigh;
  uint8_t Addr;
  bool Visible;
};

// The timer pairs are spelled TIME0..TIME2: settings files store these names.
constexpr DefaultRegister DefaultRegisters[] = {
    {"ACC", false, 0, 0xE0, true},      {"PSW", false, 0, 0xD0, true},
    {"DPTR", true, 0x83, 0x82, true},   {"SP", false, 0, 0x81, true},
    {"B", false, 0, 0xF0, true},        {"R0", false, 0, 0x00, true},
    {"R1", false, 0, 0x01, true},       {"R2", false, 0, 0x02, true},
    {"R3", false, 0, 0x03, true},       {"R4", false, 0, 0x04, true},
    {"R5", false, 0, 0x05, true},       {"R6", false, 0, 0x06, true},
    {"R7", false, 0, 0x07, true},       {"P0", false, 0, 0x80, false},
    {"P1", false, 0, 0x90, false},      {"P2", false, 0, 0xA0, false},
    {"P3", false, 0, 0xB0, false},      {"PCON", false, 0, 0x87, false},
    {"TCON", false, 0, 0x88, true},     {"TMOD", false, 0, 0x89, false},
    {"TIME0", true, 0x8C, 0x8A, false}, {"TIME1", true, 0x8D, 0x8B, false},
    {"IE", false, 0, 0xA8, true},       {"IP", false, 0, 0xB8, false},
    {"SCON", false, 0, 0x98, false},    {"SBUF", false, 0, 0x99, false},
    {"T2CON", false, 0, 0xC8, false},   {"RCAP2", true, 0xCB, 0xCA, false},
    {"TIME2", true, 0xCD, 0xCC, false},
};
static_assert(std::size(DefaultRegisters) == 29);

} // namespace

TCPU::TCPU() {
  ClearState();
}

TCPU::~TCPU() {
  // Nobody listens any more: clear without notifying.
  UI = nullptr;
  ClearState();
}

void TCPU::ClearState() {
  PC = 0;
  SetRunning(false);
  ActiveBreakpoints.Clear();
  ClearRegisters();
}

void TCPU::ClearRegisters() {
  Registers.clear();
}

void TCPU::AddRegister(std::string_view name, bool isPair, bool visible, uint8_t addrHigh,
                       uint8_t addr) {
  TRegisterDesc desc;
  desc.SetName(name);
  desc.IsPair = isPair ? 1 : 0;
  desc.Visible = visible ? 1 : 0;
  desc.AddrHigh = addrHigh;
  desc.Addr = addr;
  Registers.push_back(desc);
}

void TCPU::LoadDefaultRegisters() {
  ClearRegisters();
  for (const DefaultRegister& r : DefaultRegisters)
    AddRegister(r.Name, r.IsPair, r.Visible, r.AddrHigh, r.Addr);
}

int TCPU::FindRegisterIndex(std::string_view name) const {
  for (size_t i = 0; i < Registers.size(); ++i)
    if (Registers[i].GetName() == name) return static_cast<int>(i);
  return -1;
}

void TCPU::ResolveAddr(TRegisterDesc& desc) const {
  if (desc.Addr < 0x20) desc.Addr = static_cast<uint8_t>((desc.Addr & 7) | (SfrAt(SFR_PSW) & 0x18));
}

uint16_t TCPU::GetRegisterValue(int index) {
  if (index < 0 || index >= static_cast<int>(Registers.size())) return 0;
  TRegisterDesc& desc = Registers[static_cast<size_t>(index)];
  ResolveAddr(desc);
  const bool inSfr = desc.Addr >= 0x80;
  const uint8_t low = ReadDirect(desc.Addr);
  // A pair whose two bytes lie in different spaces reads as its low byte.
  if (!desc.IsPair || (desc.AddrHigh >= 0x80) != inSfr) return low;
  return static_cast<uint16_t>(ReadDirect(desc.AddrHigh) << 8 | low);
}

void TCPU::SetRegisterValue(int index, uint16_t value) {
  if (index < 0 || index >= static_cast<int>(Registers.size())) return;
  TRegisterDesc& desc = Registers[static_cast<size_t>(index)];
  ResolveAddr(desc);
  const uint8_t low = static_cast<uint8_t>(value);
  const uint8_t high = static_cast<uint8_t>(value >> 8);
  if (desc.Addr >= 0x80) {
    SfrAt(desc.Addr) = low;
    if (Link) Link->WriteSfr(desc.Addr);
    if (desc.IsPair && desc.AddrHigh >= 0x80) {
      SfrAt(desc.AddrHigh) = high;
      if (Link) Link->WriteSfr(desc.AddrHigh);
    }
    return;
  }
  IRam[desc.Addr] = low;
  if (Link) Link->WriteIRam(desc.Addr, 1);
  if (desc.IsPair && desc.AddrHigh < 0x80) {
    IRam[desc.AddrHigh] = high;
    if (Link) Link->WriteIRam(desc.AddrHigh, 1);
  }
}

void TCPU::SetRunning(bool value) {
  if (value == Running) return;
  Running = value;
  if (UI) UI->RunningChanged(value);
}

void TCPU::ResetSimulated(uint16_t startAddress) {
  PC = startAddress;
  Sfr.fill(0);
  SfrAt(SFR_SP) = 0x07;
}

void TakeSnapshot(const TCPU& cpu, TCPU& prev) {
  prev.PC = cpu.PC;
  prev.XData = cpu.XData;
  prev.Code = cpu.Code;
  prev.IRam = cpu.IRam;
  prev.Sfr = cpu.Sfr;
}
