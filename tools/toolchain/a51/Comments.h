#pragma once

#include <string>
#include <string_view>

namespace omf51 {

// The code of one source line without its comments: ';' and '//' end the
// code, '/* ... */' is left out and may run over several lines (inBlock says
// whether one is open when the line starts and ends). Quoted text is kept as
// it is.
std::string StripComments(std::string_view line, bool& inBlock);

} // namespace omf51
