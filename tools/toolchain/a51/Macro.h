#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace omf51 {

// A macro's definition: its parameter and LOCAL names (upper case) and the
// code of its body lines, without the closing ENDM.
struct Macro {
  std::vector<std::string> Parameters;
  std::vector<std::string> Locals;
  std::vector<std::string> Body;

  // The body with the parameters replaced by the arguments (missing ones by
  // nothing) and each LOCAL name by a name of its own, ??0000 on, counted
  // by uniqueNames across the expansions. A line past 64 KB throws
  // AsmFailure.
  std::vector<std::string> Expand(const std::vector<std::string>& arguments,
                                  int& uniqueNames) const;
};

// Replaces names (upper-case keys; matched ignoring case) outside quotes; a
// '&' next to a replaced name only glues it to its neighbour and goes away.
std::string ReplaceNames(std::string_view line, const std::map<std::string, std::string>& names);

// Arguments split at the commas outside quotes, parentheses and <>, blanks
// trimmed; <...> around an argument is taken off.
std::vector<std::string> SplitArguments(std::string_view text);

// The text after the first count names or colons of a line.
std::string_view TextAfterWords(std::string_view code, int count);

} // namespace omf51
