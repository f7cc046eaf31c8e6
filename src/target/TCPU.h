#pragma once

#include "TLongIntList.h"
#include "TRegisterDesc.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TBreakpointMap;
class TargetLink;
class UserInterface;

// Direct addresses of the SFRs the core names.
enum SfrAddress : uint8_t {
  SFR_P0 = 0x80,
  SFR_SP = 0x81,
  SFR_DPL = 0x82,
  SFR_DPH = 0x83,
  SFR_PCON = 0x87,
  SFR_TCON = 0x88,
  SFR_P1 = 0x90,
  SFR_P2 = 0xA0,
  SFR_IE = 0xA8,
  SFR_P3 = 0xB0,
  SFR_IP = 0xB8,
  SFR_PSW = 0xD0,
  SFR_ACC = 0xE0,
  SFR_B = 0xF0,
};

// PSW flag bits.
enum PswBit : uint8_t { PSW_P = 0x01, PSW_OV = 0x04, PSW_RS = 0x18, PSW_AC = 0x40, PSW_CY = 0x80 };

// The workbench's picture of the 8051 target: its memories, registers, the
// breakpoints set on it and the register window's list. Whatever drives the
// target (emulator or simulator), every view reads it through this object.
class TCPU {
public:
  TCPU();
  ~TCPU();
  TCPU(const TCPU&) = default;
  TCPU& operator=(const TCPU&) = default;

  bool Running = false; // changed only through SetRunning
  std::array<uint8_t, 0x10000> XData{};
  std::array<uint8_t, 0x10000> Code{};
  uint16_t PC = 0;
  std::array<uint8_t, 256> IRam{};
  std::array<uint8_t, 128> Sfr{}; // element i is direct address 80H + i
  TLongIntList ActiveBreakpoints;
  std::vector<TRegisterDesc> Registers;

  // Where register writes go on to the emulator, and who hears of running
  // changes; either may be null.
  TargetLink* Link = nullptr;
  UserInterface* UI = nullptr;

  void ClearState();
  void ClearRegisters();
  void AddRegister(std::string_view name, bool isPair, bool visible, uint8_t addrHigh,
                   uint8_t addr);
  void LoadDefaultRegisters();
  uint16_t GetRegisterValue(int index);
  void SetRegisterValue(int index, uint16_t value);
  // Index of the register entry with exactly this name, or -1.
  int FindRegisterIndex(std::string_view name) const;

  uint8_t ReadDirect(uint8_t address) const {
    return address < 0x80 ? IRam[address] : Sfr[address - 0x80];
  }
  void WriteDirect(uint8_t address, uint8_t value) {
    if (address < 0x80)
      IRam[address] = value;
    else
      Sfr[address - 0x80] = value;
  }
  uint8_t& SfrAt(uint8_t address) { return Sfr[address - 0x80]; }
  uint8_t SfrAt(uint8_t address) const { return Sfr[address - 0x80]; }

  uint16_t GetDPTR() const { return static_cast<uint16_t>(SfrAt(SFR_DPH) << 8 | SfrAt(SFR_DPL)); }
  void SetDPTR(uint16_t value) {
    SfrAt(SFR_DPH) = static_cast<uint8_t>(value >> 8);
    SfrAt(SFR_DPL) = static_cast<uint8_t>(value);
  }

  bool GetCY() const { return SfrAt(SFR_PSW) & PSW_CY; }
  bool GetAC() const { return SfrAt(SFR_PSW) & PSW_AC; }
  bool GetOV() const { return SfrAt(SFR_PSW) & PSW_OV; }
  void SetCY(bool value) { SetPswBit(PSW_CY, value); }
  void SetAC(bool value) { SetPswBit(PSW_AC, value); }
  void SetOV(bool value) { SetPswBit(PSW_OV, value); }
  void SetP(bool value) { SetPswBit(PSW_P, value); }

  void SetRunning(bool value);

  uint8_t InstructionLength(uint16_t address) const;
  // One listing line for the instruction at address; returns the next address.
  uint16_t Disassemble(uint16_t address, std::string& text) const;

  // The simulator: executes the one instruction at PC on the images. Never
  // fails; every address wraps inside its image. Inline (TCPUExecute.h), so a
  // caller's loop keeps the PC in a register.
  inline void ExecuteInstruction();
  // Executes instructions until one leaves the PC on an address of breaks or
  // maxCount have executed; returns how many executed. This is the run loop's
  // inner loop: the PC is tested after every instruction.
  uint32_t ExecuteUntilBreakpoint(const TBreakpointMap& breaks, uint32_t maxCount);
  // Resets the simulated CPU: PC := startAddress, every SFR 0, SP := 07H.
  // Internal RAM, program memory and external data keep their contents.
  void ResetSimulated(uint16_t startAddress);

private:
  void SetPswBit(uint8_t bit, bool value) {
    uint8_t& psw = SfrAt(SFR_PSW);
    psw = value ? (psw | bit) : (psw & ~bit);
  }
  // R0-R7 entries follow the current register bank.
  void ResolveAddr(TRegisterDesc& desc) const;
};

// Copies the target state (PC, memories, SFRs) of cpu into prev; the running
// flag and both lists stay as they are.
void TakeSnapshot(const TCPU& cpu, TCPU& prev);

#include "TCPUExecute.h"
