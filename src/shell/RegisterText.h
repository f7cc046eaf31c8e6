#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

struct TRegisterDesc;

// The register window's value formats: the PC and register pairs as four
// hexadecimal digits, one-byte registers as two.
std::string PCText(uint16_t pc);
std::string RegisterValueText(const TRegisterDesc& desc, uint16_t value);

// The special registers to read from the emulator before showing the
// registers of the list (all of them, or only the visible ones). SP, DPTR,
// TCON, P2, IE, PSW, ACC and B are left out: they come back with the state
// block after every run or step. Flag n stands for address 80H + n.
std::bitset<128> RegistersToRead(const std::vector<TRegisterDesc>& registers, bool visibleOnly);
