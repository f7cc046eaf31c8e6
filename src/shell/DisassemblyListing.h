#pragma once

#include <cstdint>
#include <string>

class TCPU;
class UserInterface;

// Which columns of the disassembler's lines a listing file keeps; the
// list-output dialog's three check boxes.
struct ListColumns {
  bool Address = true; // "0100   "
  bool Code = true;    // the instruction's bytes, padded to 12 characters
  bool Asm = true;     // the instruction text
};

// The listing of the instructions from start while their address is not
// above end, one line each, CR LF after every line. It stops after the
// instruction that reaches or passes FFFFH instead of wrapping to 0000H.
std::string DisassemblyListing(const TCPU& cpu, uint16_t start, uint16_t end,
                               const ListColumns& columns);

// Writes the listing to fileName, replacing the file, and tells the user the
// outcome; false when the file could not be written (an old file stays whole).
bool WriteListingFile(const std::string& fileName, const std::string& listing, UserInterface& ui);
