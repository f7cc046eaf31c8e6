#pragma once

#include <string>
#include <string_view>

namespace omf51 {

// The file name without folder and extension ("C:\LAB\DEMO.ASM" gives "DEMO");
// '\', '/' and ':' all end a folder part.
std::string BaseName(std::string_view path);

// The path without its extension (the text from the last dot of the name).
std::string WithoutExtension(std::string_view path);

// Reads a named input file, matching the name ignoring case when it does not
// exist as written (the workbench asks for DEMO.omf after the linker wrote
// DEMO.OMF).
bool ReadInputFile(std::string_view name, std::string& bytes);

// Writes a whole output file so that a failure leaves no half-written file.
bool WriteOutputFile(std::string_view name, std::string_view bytes);

// Date "MM/DD/YYYY" and time "HH:MM:SS" for listing headers; SOURCE_DATE_EPOCH
// fixes them for reproducible builds.
struct ListingStamp {
  std::string Date;
  std::string Time;
};
ListingStamp CurrentStamp();

// Text padded with blanks (or cut) to exactly width bytes.
std::string Pad(std::string text, size_t width);

} // namespace omf51
