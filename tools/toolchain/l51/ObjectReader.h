#pragma once

#include "ObjectModule.h"

#include <string>
#include <string_view>

namespace omf51 {

// Reads the modules of an object or library file, in the standard and the
// wide record variants. Returns an empty string, or the reason the file
// cannot be used (truncated, damaged, or no module in it).
std::string ReadObjectFile(std::string_view bytes, ObjectFile& file);

} // namespace omf51
