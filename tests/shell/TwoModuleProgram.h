#pragma once

#include "../image/OmfBuilder.h"
#include "../platform/TempDir.h"

#include <string>

// A small C program of two modules, as the compiler and linker would leave it:
//   MAIN.C  line 4 0100 MOV P1,#0   line 5 0103 LCALL 0200   line 6 0106 MOV P1,#FFH
//           line 7 0109 SJMP 0109
//   DELAY.C line 3 0200 MOV R7,#3 / 0202 DJNZ R7,0202   line 4 0204 RET
// Writes the object and both sources into dir and returns the object's path.
inline std::string WriteTwoModuleProgram(const TempDir& dir) {
  dir.Write("MAIN.C", "#include <reg51.h>\nvoid delay(void);\nvoid main(void) {\n  P1 = 0;\n"
                      "  delay();\n  P1 = 0xFF;\n  while (1);\n}\n");
  dir.Write("DELAY.C", "void delay(void) {\n  unsigned char i;\n  for (i = 0; i < 3; i++);\n}\n");
  using B = OmfBuilder;
  B b;
  b.ModuleHeader("PROG")
      .BeginModule("MAIN")
      .SourceName("MAIN.C")
      .BeginProcedure("main")
      .Content(0x0100, {0x75, 0x90, 0x00, 0x12, 0x02, 0x00, 0x75, 0x90, 0xFF, 0x80, 0xFE})
      .Lines(B::DebugItems, {{0x0100, 4}, {0x0103, 5}, {0x0106, 6}, {0x0109, 7}})
      .EndProcedure("main")
      .EndModule("MAIN")
      .BeginModule("DELAY")
      .SourceName("DELAY.C")
      .BeginProcedure("delay")
      .Content(0x0200, {0x7F, 0x03, 0xDF, 0xFE, 0x22})
      .Lines(B::DebugItems, {{0x0200, 3}, {0x0204, 4}})
      .EndProcedure("delay")
      .EndModule("DELAY")
      .ModuleEnd("PROG");
  return dir.Write("prog.omf", b.Bytes).string();
}
