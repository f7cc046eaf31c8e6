#pragma once

#include "TSymbolRec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A function of a module, or a block nested in one (those have no name).
class TDefBlockInfo {
public:
  std::string Name;
  uint16_t CodeBegin = 0xFFFF; // FFFFH and 0 while the block holds no code
  uint16_t CodeEnd = 0;
  std::vector<TSymbolRec> Symbols;
  // Blocks nested in a function, in file order, in one flat list whatever
  // their depth.
  std::vector<std::unique_ptr<TDefBlockInfo>> SubBlocks;

  bool Contains(uint16_t address) const { return CodeBegin <= address && address <= CodeEnd; }
  // Widens the code range to take in first..last.
  void Widen(uint16_t first, uint16_t last) {
    if (first < CodeBegin) CodeBegin = first;
    if (last > CodeEnd) CodeEnd = last;
  }
};
