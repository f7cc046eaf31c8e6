#pragma once

#include "AsmError.h"

#include <optional>
#include <string>
#include <vector>

namespace omf51 {

struct SourceLine {
  std::string Text;
  int File = 0;     // index into SourceText::FileNames
  int FileLine = 0; // 1-based line within that file
  bool Included = false;
  std::optional<AsmError> Diagnostic; // a control line that failed or was not understood
};

// The source with its include files expanded in place, one entry per listing line.
struct SourceText {
  std::vector<std::string> FileNames; // as written: the command line, then $INCLUDE names
  std::vector<SourceLine> Lines;
  bool PredefinedNames = true; // cleared by $NOMOD51
};

// Reads the main source; false when it cannot be read. $INCLUDE files are
// looked for next to the including file, in the current folder and in
// includeDirs, ignoring case.
bool ReadSource(const std::string& mainName, const std::vector<std::string>& includeDirs,
                SourceText& text);

} // namespace omf51
