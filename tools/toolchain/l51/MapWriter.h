#pragma once

#include "LinkResult.h"

#include <string>

namespace omf51 {

struct MapOptions {
  std::string CommandLine;
  std::string OutputName; // without extension
  std::vector<std::string> InputNames;
};

// The link map: invocation, input modules, the memory map, the overlay map,
// unresolved externals, the symbol tables, messages, the program size and the
// closing summary line (fatal errors follow it).
std::string WriteMap(const LinkResult& result, const MapOptions& options);

} // namespace omf51
