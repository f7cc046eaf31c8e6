#pragma once

#include "AsmError.h"

#include <optional>
#include <string>
#include <vector>

namespace omf51 {

struct SourceLine {
  std::string Text; // as written, for the listing
  // What the assembler reads: the text without comments, #define names
  // replaced; empty for control, preprocessor and skipped lines.
  std::string Code;
  int File = 0;     // index into SourceText::FileNames
  int FileLine = 0; // 1-based line within that file
  bool Included = false;
  bool Skipped = false;              // in a false branch of $IF or #if: listed, not assembled
  bool NoCond = false;               // $NOCOND in force: false branches are left out of the listing
  bool NoList = false;               // $NOLIST in force: the line is left out of the listing
  std::vector<AsmError> Diagnostics; // controls and preprocessor lines that failed
};

// The source with its include files expanded in place, one entry per source line.
struct SourceText {
  std::vector<std::string> FileNames; // as written: the command line, then include names
  std::vector<SourceLine> Lines;
  bool PredefinedNames = true; // cleared by $NOMOD51
  std::optional<bool> Debug;   // $DEBUG / $NODEBUG
  std::string Title;           // $TITLE('...')
};

// Reads the main source; false when it cannot be read. $INCLUDE and #include
// files are looked for next to the including file, in the current folder and
// in includeDirs, ignoring case. A file that includes itself, directly or
// through others, and a source of more than 1 000 000 lines are errors; a
// file above 64 MB counts as one that cannot be opened.
bool ReadSource(const std::string& mainName, const std::vector<std::string>& includeDirs,
                SourceText& text);

} // namespace omf51
