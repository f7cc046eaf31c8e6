#pragma once

#include <cstddef>

// Layout of the 60-byte block the monitor sends back after the target has run.
namespace StateBlock {
constexpr size_t Size = 60;
constexpr size_t ACC = 0;
constexpr size_t IE = 1;
constexpr size_t PSW = 2;
constexpr size_t B = 3;
constexpr size_t TCON = 4;
constexpr size_t SP = 5;
constexpr size_t DPH = 6;
constexpr size_t DPL = 7;
constexpr size_t P2 = 8;
// Vector address of an interrupt the target stopped on before entering it; 0: none.
constexpr size_t PendingVector = 9;
constexpr size_t IRam = 10; // internal RAM 00H-2FH
constexpr size_t PCHigh = 58;
constexpr size_t PCLow = 59;
} // namespace StateBlock
