#pragma once

#include "TBounds.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The fixed part of the settings: a 208-byte little-endian block that the
// settings file stores as one piece. The member defaults are the settings of
// a first start.
struct TOptionBlock {
  static constexpr size_t Size = 208;
  static constexpr uint32_t ValidSignature = 0x5102000C;
  // The face name holds at most this many GBK bytes after its length byte.
  static constexpr size_t MaxFontNameBytes = 32;

  uint32_t Signature = ValidSignature;
  uint8_t EmlutorCPU = 0;
  uint8_t EmlutorROM = 1; // 0 user ROM, 1 system ROM
  uint8_t EmlutorRAM = 1; // 0 user RAM, 1 system RAM
  bool P36IO = false;     // P3.6 as I/O rather than WR
  bool P37IO = false;     // P3.7 as I/O rather than RD
  uint8_t SelectPort = 0; // serial ports 1-4, then parallel ports 1 and 2
  uint8_t ASM_RegisterBank = 0;
  uint8_t C_RegisterBank = 0;
  uint8_t C_Compile = 0; // SMALL, COMPACT, LARGE
  uint8_t C_Optimize = 5;
  TBounds RegistBounds{4, 2, 105, 243};
  TBounds Memory1Bounds{205, 250, 478, 171};
  TBounds Memory2Bounds{205, 250, 478, 171};
  TBounds DebugBounds{205, 2, 478, 244};
  TBounds StackBounds{10, 10, 300, 280};
  TBounds VariableBounds{4, 250, 198, 171};
  TBounds CompileLinkMsgBounds{5, 293, 524, 157};
  bool RegistOpen = true;
  bool Memory1Open = false;
  bool Memory2Open = false;
  bool DebugOpen = true;
  bool StackOpen = false;
  bool VariableOpen = false;
  TBounds MainBounds{0, 0, 640, 480};
  uint32_t FontColor = 0;
  int32_t FontHeight = -15;      // negative: character height in pixels
  std::string FontName = "宋体"; // UTF-8 here, GBK in the file
  uint8_t FontPitch = 0;         // default, variable, fixed
  int32_t FontSize = 11;
  uint8_t FontStyle = 0; // bold, italic, underline, strike-out from bit 0 up
  uint8_t DelayTime = 1;
  uint16_t C_CmdShow = 0; // build console: hidden, normal, minimised, maximised
  std::array<uint8_t, 10> Reserved{};

  // The block's bytes as stored.
  std::string Encode() const;
  // Reads the first Size bytes, which must be there.
  void Decode(std::string_view bytes);
};
