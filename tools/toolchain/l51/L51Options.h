#pragma once

#include "Linker.h"

#include <string>
#include <vector>

namespace omf51 {

// What the linker's command line asks for:
// L51 OBJ,OBJ,... [TO OUT] [RAMSIZE(n)] [CODE(addr)] [XDATA(addr)] [PRINT(map)].
struct L51Options {
  std::vector<std::string> Inputs;
  std::string Output;  // the absolute object
  std::string MapName; // the output's name with .M51
  LinkSettings Settings;
  std::vector<std::string> UnknownControls;
  std::vector<std::string> BadControls; // known controls with an unusable argument
};

L51Options ParseL51Options(const std::string& commandTail);

} // namespace omf51
