#pragma once

#include <string_view>

class TCPU;
class TOmf;

// Reads Intel HEX text into program memory and widens the loaded range of
// omf. Reading ends at the end-of-file record or at any line that begins
// with ":00"; blank lines (and a DOS end-of-file mark) are skipped. Data
// records are stored (no checksum check; characters that are not hexadecimal
// digits count as 0); extended and start address records store nothing, but
// the extended ones move the data that follows. Returns the 1-based number of
// the first data line that falls outside the 64 KB of program memory (such
// lines are skipped), or 0.
int ReadHexText(std::string_view text, TCPU& cpu, TOmf& omf);
