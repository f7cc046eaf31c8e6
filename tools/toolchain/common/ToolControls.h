#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace omf51 {

// One control of a tool command line: a word, optionally followed by an
// argument in parentheses ("DB", "RB(0)", "PR(DEMO.LST)", "ramsize(256)").
struct ToolControl {
  std::string Name; // upper case
  std::optional<std::string> Argument;
};

// Splits controls at blanks; an argument may hold blanks inside its parentheses.
std::vector<ToolControl> ParseControls(std::string_view text);

// The program's arguments joined with single blanks, as the tools echo them.
std::string JoinArguments(int argc, char** argv, int from);

std::string UpperCase(std::string text);

} // namespace omf51
