// Prints the disassembly of a small built-in program: what the workbench's
// disassembly window shows for it.
#include "TCPU.h"

#include <cstdio>
#include <memory>

int main() {
  // Copies 16 bytes from internal RAM 30H to external RAM 0100H, then loops.
  static constexpr uint8_t Demo[] = {
      0x02, 0x00, 0x30, // LJMP 0030H
  };
  static constexpr uint8_t Main[] = {
      0x78, 0x30,       // MOV R0, #30H
      0x90, 0x01, 0x00, // MOV DPTR, #0100H
      0x7A, 0x10,       // MOV R2, #10H
      0xE6,             // MOV A, @R0
      0xF0,             // MOVX @DPTR, A
      0x08,             // INC R0
      0xA3,             // INC DPTR
      0xDA, 0xFA,       // DJNZ R2, 0037H
      0x74, 0xF0,       // MOV A, #0F0H
      0x85, 0xE0, 0xF0, // MOV 0F0H, 0E0H
      0x80, 0xFE,       // SJMP $
  };
  auto cpu = std::make_unique<TCPU>();
  std::copy(std::begin(Demo), std::end(Demo), cpu->Code.begin());
  std::copy(std::begin(Main), std::end(Main), cpu->Code.begin() + 0x30);

  const auto list = [&cpu](uint16_t from, size_t size) {
    std::string line;
    for (uint16_t a = from; a < from + size;) {
      a = cpu->Disassemble(a, line);
      std::puts(line.c_str());
    }
  };
  list(0, sizeof Demo);
  list(0x30, sizeof Main);
}
