#include "A51Options.h"

#include "ToolControls.h"
#include "ToolFiles.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace omf51 {

namespace {

// Controls that change nothing in this assembler's output but are valid.
bool IsAcceptedControl(const std::string& name) {
  static const char* const Accepted[] = {
      "XR",         "XREF",    "NOXR",      "NOXREF",  "EP",       "ERRORPRINT", "NOEP",  "PL",
      "PAGELENGTH", "PW",      "PAGEWIDTH", "DATE",    "DA",       "TITLE",      "TT",    "NOLIST",
      "LIST",       "GEN",     "NOGEN",     "GENONLY", "NOPAGING", "PAGING",     "MOD52", "NOLINES",
      "LINES",      "NOMACRO", "MACRO",     "NOAMAKE", "COND",     "NOCOND",     "EJECT", "EJ"};
  return std::any_of(std::begin(Accepted), std::end(Accepted),
                     [&name](const char* a) { return name == a; });
}

} // namespace

A51Options ParseA51Options(const std::string& sourceName, const std::string& controls) {
  A51Options o;
  o.SourceName = sourceName;
  o.ListingName = BaseName(sourceName) + ".LST";
  o.ObjectName = BaseName(sourceName) + ".OBJ";
  for (const ToolControl& c : ParseControls(controls)) {
    const std::string& n = c.Name;
    if (n == "DB" || n == "DEBUG") {
      o.Debug = true;
    } else if (n == "NODB" || n == "NODEBUG") {
      o.Debug = false;
    } else if (n == "SB" || n == "SYMBOLS") {
      o.Symbols = true;
    } else if (n == "NOSB" || n == "NOSYMBOLS") {
      o.Symbols = false;
    } else if ((n == "RB" || n == "REGISTERBANK") && c.Argument && c.Argument->size() == 1 &&
               (*c.Argument)[0] >= '0' && (*c.Argument)[0] <= '3') {
      o.RegisterBank = (*c.Argument)[0] - '0';
    } else if ((n == "PR" || n == "PRINT") && c.Argument && !c.Argument->empty()) {
      o.ListingName = *c.Argument;
    } else if (n == "NOPR" || n == "NOPRINT") {
      o.ListingName.clear();
    } else if ((n == "OJ" || n == "OBJECT") && c.Argument && !c.Argument->empty()) {
      o.ObjectName = *c.Argument;
    } else if (n == "NOOJ" || n == "NOOBJECT") {
      o.ObjectName.clear();
    } else if ((n == "INCDIR" || n == "ID") && c.Argument) {
      std::stringstream list(*c.Argument);
      for (std::string dir; std::getline(list, dir, ';');)
        if (!dir.empty()) o.IncludeDirs.push_back(dir);
    } else if (n == "NOMOD51") {
      o.PredefinedNames = false;
    } else if (n == "MOD51") {
      o.PredefinedNames = true;
    } else if (!IsAcceptedControl(n)) {
      o.UnknownControls.push_back(c.Argument ? n + "(" + *c.Argument + ")" : n);
    }
  }
  return o;
}

} // namespace omf51
