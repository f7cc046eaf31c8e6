#pragma once

#include "AsmModule.h"
#include "SourceReader.h"

#include <string>
#include <vector>

namespace omf51 {

struct ListingOptions {
  std::string SourceName;  // as given on the command line
  std::string ObjectName;  // empty: no object requested
  std::string CommandLine; // what the assembler was invoked by
  bool Symbols = true;     // append the symbol table
  std::vector<std::string> UnknownControls;
  std::string Title; // $TITLE; the page header shows the source name without one
};

// The assembler listing: page headers, the source lines with location, object
// bytes and line number in fixed columns (expansion lines under their macro
// call, without a number), messages right after their line,
// the symbol table and the closing summary.
std::string WriteListing(const SourceText& source, const AsmModule& module,
                         const ListingOptions& options);

// A listing for a source that could not be read: the header and one error.
std::string WriteUnreadableSourceListing(const ListingOptions& options);

} // namespace omf51
