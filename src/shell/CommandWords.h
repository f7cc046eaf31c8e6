#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Splits a command line into words at blanks and tabs. Double quotes keep
// blanks inside a word ("my file.hex"); a line whose first word starts with
// '#' is a comment and gives no words. Nothing when a quote is not closed.
std::optional<std::vector<std::string>> SplitCommandWords(std::string_view line);
