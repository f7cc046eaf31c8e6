#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lines of a text file ending in LF or CR LF; a final line break adds no
// empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The lines of a source file as UTF-8, whether the file is UTF-8 or GBK.
// A byte-order mark, as Windows editors write one, is not part of the text.
std::vector<std::string> ReadSourceText(std::string_view bytes);

// text without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text);

// The text from the last dot of the file name part on, in upper case
// (".C" for "C:\LAB\main.c"); empty when the name has no dot.
std::string UpperExtension(std::string_view name);
