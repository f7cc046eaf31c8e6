#pragma once

#include "AsmModule.h"

#include <string>

namespace omf51 {

// Writes the relocatable object of an assembled module. With debug records the
// module carries its scope, symbols and line numbers, and a source-name record
// naming sourceName (the listing, from which the debugger rebuilds the source).
std::string WriteRelocatableObject(const AsmModule& module, bool debug,
                                   const std::string& sourceName);

// The local symbols a module lists in its debug records: defined, not public,
// places and numbers only; sorted by name.
bool IsDebugLocal(const Symbol& symbol);

} // namespace omf51
