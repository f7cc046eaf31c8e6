#pragma once

#include "TCPU.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// A compact notation for target state in simulator tests, a list of
// assignments such as "PSW=08 A=7F R3=12 i30=44 s90=FF x0040=55,56 DPTR=FFFF":
// A, B, PSW, SP, DPL, DPH, DPTR, PC by name; Rn in the bank of the PSW
// assigned so far; iXX internal RAM, sXX an SFR by direct address, xXXXX
// external data, cXXXX program memory, each with one or more comma-separated
// bytes at consecutive addresses. Values are hexadecimal.
void ApplyState(TCPU& cpu, std::string_view assignments);

// Every difference in PC, internal RAM, SFRs, external data and program
// memory, one per line; empty when the two states agree.
std::string StateDifferences(const TCPU& got, const TCPU& want);

void LoadCode(TCPU& cpu, uint16_t address, std::initializer_list<uint8_t> bytes);
