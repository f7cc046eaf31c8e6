#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Splits a command line into words at blanks and tabs. A word in double quotes
// keeps its blanks ("my file.hex"); inside it a backslash makes the next quote
// or backslash plain (\" and \\), any other backslash stays as it is. A quote
// anywhere else in a word is an error, so "bob.hex and ""bob.hex never name
// bob.hex. A line whose first word starts with '#' is a comment and gives no
// words. On an error returns nothing and, when asked, says why.
std::optional<std::vector<std::string>> SplitCommandWords(std::string_view line,
                                                          std::string* error = nullptr);
