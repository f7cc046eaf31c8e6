#pragma once

#include <string>
#include <vector>

class TLongIntList;
class TOmf;

// One row of the breakpoint browser's grid.
struct BreakPointRow {
  std::string Module;  // empty when no module's line table holds the address
  std::string Address; // "%.4X"
  std::string Line;    // the 1-based source line, "0" when none
};

// The rows for a list of breakpoints: each address is looked up in the modules' line tables
// in load order, and the first module holding it names it.
std::vector<BreakPointRow> BreakPointRows(const TOmf& debugInfo, const TLongIntList& list);
