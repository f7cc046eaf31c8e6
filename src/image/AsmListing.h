#pragma once

#include "TLongIntList.h"

#include <string>
#include <string_view>
#include <vector>

// Rebuilds an assembler module's source text and line table from its
// listing: every listing line that carries a line number (columns 20-24) and
// is not from an include file ('=' in column 17) adds its text from column 30
// and its address from columns 1-4, or -1 when it shows no code. Lines are
// thus numbered by their position among those listing lines. Columns count
// bytes of the file; the text is stored as UTF-8 whether the listing is
// UTF-8 or GBK.
//
// The location column of a relocatable segment is an offset into the
// segment, not the located address. When the object file carried line-number
// items for the module (lineItems: entry n-1 is the located address of
// listing line n, or -1), a line with code takes its address from there.
void ReadAsmListing(std::string_view listing, std::vector<std::string>& sourceLines,
                    TLongIntList& lines, const TLongIntList* lineItems = nullptr);
