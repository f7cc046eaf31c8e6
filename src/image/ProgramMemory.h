#pragma once

#include <cstddef>
#include <cstdint>

class TCPU;

// Copies count bytes into program memory from address on and sends the same
// range on to the emulator. The caller keeps address + count within 64 KB.
void StoreCode(TCPU& cpu, uint16_t address, const uint8_t* bytes, size_t count);
