#pragma once

#include <string_view>

class TCPU;
class TOmf;

// What a HEX text held besides the data that went in; lines are 1-based, 0
// for none.
struct HexReadResult {
  int FirstOutside = 0; // the first data record outside the 64 KB of program memory
  int FirstBad = 0;     // the first line that is no valid record
  int DataRecords = 0;  // valid data records, loaded or outside
};

// Reads Intel HEX text into program memory and widens the loaded range of
// omf. Reading ends at the end-of-file record or at any line that begins
// with ":00"; blank lines (and a DOS end-of-file mark) are skipped. A record
// is taken only when it has its colon, hexadecimal digits only, the length
// its count gives and a checksum that adds up; any other line is skipped.
// Data records are stored; extended and start address records store nothing,
// but the extended ones move the data that follows. Data records that fall
// outside the 64 KB are skipped.
HexReadResult ReadHexText(std::string_view text, TCPU& cpu, TOmf& omf);
