#pragma once

#include "LinkResult.h"
#include "ObjectModule.h"

#include <vector>

namespace omf51 {

struct LinkSettings {
  uint32_t RamSize = 128;  // internal RAM for IDATA segments
  uint32_t CodeStart = 0;  // lowest address for relocatable code
  uint32_t XDataStart = 0; // lowest address for relocatable xdata
};

// Links and locates modules: selects library members that are needed,
// combines segments of the same name, places absolute blocks and register
// banks, then relocatable segments (code; bit and bit-addressable data; data;
// idata; xdata), each in the lowest free range that fits; resolves publics
// and externals and applies the fixups.
LinkResult Link(const std::vector<ObjectFile>& files, const LinkSettings& settings);

} // namespace omf51
