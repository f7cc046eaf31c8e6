#pragma once

#include "LinkResult.h"

#include <string>

namespace omf51 {

// The absolute module of a link: per input module with debug records its
// scope, source name, segment, public and local symbols at their final
// addresses, and its code records each followed by the line numbers inside
// them; modules without debug records give bare code records.
std::string WriteAbsoluteObject(const LinkResult& result);

} // namespace omf51
