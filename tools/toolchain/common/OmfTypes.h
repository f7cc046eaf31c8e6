#pragma once

#include <cstdint>

// Codes of the OMF-51 object format shared by the assembler, the linker and
// the hex converter.
namespace omf51 {

enum RecordType : uint8_t {
  RecModuleHeader = 0x02,
  RecModuleEnd = 0x04,
  RecContent = 0x06,
  RecContentWide = 0x07,
  RecFixup = 0x08,
  RecFixupWide = 0x09,
  RecSegments = 0x0E,
  RecSegmentsWide = 0x0F,
  RecScope = 0x10,
  RecDebugItems = 0x12,
  RecPublics = 0x16,
  RecPublicsWide = 0x17,
  RecExternals = 0x18,
  RecExternalsWide = 0x19,
  RecDebugItemsExt = 0x22,
  RecDebugItemsExtWide = 0x23,
  RecSourceName = 0x24,
  RecLibModuleLocations = 0x26,
  RecLibModuleNames = 0x28,
  RecLibDictionary = 0x2A,
  RecLibHeader = 0x2C,
};

// Memory type of a segment (SEG INFO bits 0-2) or usage of a symbol (SYM INFO
// bits 0-2); Number only for symbols.
enum MemoryType : uint8_t {
  MemCode = 0,
  MemXData = 1,
  MemData = 2,
  MemIData = 3,
  MemBit = 4,
  MemNumber = 5,
};

inline constexpr uint8_t SegInfoOverlayable = 0x20;

enum RelocationType : uint8_t {
  RelAbsolute = 0,
  RelUnit = 1,
  RelBitAddressable = 2,
  RelInPage = 3,
  RelInBlock = 4,
  RelPage = 5,
};

enum FixupType : uint8_t {
  FixLow = 0,
  FixByte = 1,
  FixRelative = 2,
  FixHigh = 3,
  FixWord = 4,
  FixInBlock = 5,
  FixBit = 6,
  FixConv = 7,
};

enum IdBlock : uint8_t {
  IdSegmentBase = 0,
  IdSegmentSymbol = 1,
  IdExternal = 2,
};

enum ScopeType : uint8_t {
  ScopeBeginModule = 0,
  ScopeEndModule = 3,
};

enum DebugItemType : uint8_t {
  DebugLocals = 0,
  DebugPublics = 1,
  DebugSegments = 2,
  DebugLines = 3,
};

// Assembler modules carry TRN ID FDH, linked absolute modules FFH.
inline constexpr uint8_t TrnAssembler = 0xFD;
inline constexpr uint8_t TrnLinker = 0xFF;

// The address of bit address b's byte and the bit inside it.
constexpr uint8_t BitByteAddress(uint8_t bit) {
  return bit < 0x80 ? static_cast<uint8_t>(0x20 + bit / 8) : static_cast<uint8_t>(bit & 0xF8);
}

} // namespace omf51
