#include "InstructionTables.h"

// clang-format off
const char* const MnemonicFormats[7][16] = {
  { // x0
    "NOP", "JBC   %.2XH, %.4XH", "JB    %.2XH, %.4XH", "JNB   %.2XH, %.4XH",
    "JC    %.4XH", "JNC   %.4XH", "JZ    %.4XH", "JNZ   %.4XH",
    "SJMP  %.4XH", "MOV   DPTR, #%.2X%.2XH", "ORL   C, /%.2XH", "ANL   C, /%.2XH",
    "PUSH  %.2XH", "POP   %.2XH", "MOVX  A, @DPTR", "MOVX  @DPTR, A",
  },
  { // x2
    "LJMP  %.2X%.2XH", "LCALL %.2X%.2XH", "RET", "RETI",
    "ORL   %.2XH, A", "ANL   %.2XH, A", "XRL   %.2XH, A", "ORL   C, %.2XH",
    "ANL   C, %.2XH", "MOV   %.2XH, C", "MOV   C, %.2XH", "CPL   %.2XH",
    "CLR   %.2XH", "SETB  %.2XH", "MOVX  A, @R0", "MOVX  @R0, A",
  },
  { // x3
    "RR    A", "RRC   A", "RL    A", "RLC   A",
    "ORL   %.2XH, #%.2XH", "ANL   %.2XH, #%.2XH", "XRL   %.2XH, #%.2XH", "JMP   @A+DPTR",
    "MOVC  A, @A+PC", "MOVC  A, @A+DPTR", "INC   DPTR", "CPL   C",
    "CLR   C", "SETB  C", "MOVX  A, @R1", "MOVX  @R1, A",
  },
  { // x4
    "INC   A", "DEC   A", "ADD   A, #%.2XH", "ADDC  A, #%.2XH",
    "ORL   A, #%.2XH", "ANL   A, #%.2XH", "XRL   A, #%.2XH", "MOV   A, #%.2XH",
    "DIV   AB", "SUBB  A, #%.2XH", "MUL   AB", "CJNE  A, #%.2XH, %.4XH",
    "SWAP  A", "DA    A", "CLR   A", "CPL   A",
  },
  { // x5
    "INC   %.2XH", "DEC   %.2XH", "ADD   A, %.2XH", "ADDC  A, %.2XH",
    "ORL   A, %.2XH", "ANL   A, %.2XH", "XRL   A, %.2XH", "MOV   %.2XH, #%.2XH",
    "MOV   %.2XH, %.2XH", "SUBB  A, %.2XH", "ERROR", "CJNE  A, %.2XH, %.4XH",
    "XCH   A, %.2XH", "DJNZ  %.2XH, %.4XH", "MOV   A, %.2XH", "MOV   %.2XH, A",
  },
  { // x6, x7: @Ri
    "INC   @R%d", "DEC   @R%d", "ADD   A, @R%d", "ADDC  A, @R%d",
    "ORL   A, @R%d", "ANL   A, @R%d", "XRL   A, @R%d", "MOV   @R%d, #%.2XH",
    "MOV   %.2XH, @R%d", "SUBB  A, @R%d", "MOV   @R%d, %.2XH", "CJNE  @R%d, #%.2XH, %.4XH",
    "XCH   A, @R%d", "XCHD  A, @R%d", "MOV   A, @R%d", "MOV   @R%d, A",
  },
  { // x8-xF: Rn
    "INC   R%d", "DEC   R%d", "ADD   A, R%d", "ADDC  A, R%d",
    "ORL   A, R%d", "ANL   A, R%d", "XRL   A, R%d", "MOV   R%d, #%.2XH",
    "MOV   %.2XH, R%d", "SUBB  A, R%d", "MOV   R%d, %.2XH", "CJNE  R%d, #%.2XH, %.4XH",
    "XCH   A, R%d", "DJNZ  R%d, %.4XH", "MOV   A, R%d", "MOV   R%d, A",
  },
};
// clang-format on
