#pragma once

#include <string>
#include <vector>

namespace omf51 {

// What the assembler's command line asks for:
// A51 SOURCE [DB] [SB] [XR] [RB(n)] [PR(LIST)] [OJ(OBJECT)] [INCDIR(a;b)] [other controls].
struct A51Options {
  std::string SourceName;
  std::string ListingName; // empty: no listing
  std::string ObjectName;  // empty: no object
  bool Debug = false;
  bool Symbols = true;
  bool PredefinedNames = true;
  int RegisterBank = 0;
  std::vector<std::string> IncludeDirs;     // INCDIR(a;b), searched before C51INC
  std::vector<std::string> UnknownControls; // warned about, then ignored
};

A51Options ParseA51Options(const std::string& sourceName, const std::string& controls);

} // namespace omf51
