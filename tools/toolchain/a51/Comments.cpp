#include "Comments.h"

namespace omf51 {

std::string StripComments(std::string_view line, bool& inBlock) {
  std::string code;
  char quote = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    const char next = i + 1 < line.size() ? line[i + 1] : 0;
    if (inBlock) {
      if (c == '*' && next == '/') {
        inBlock = false;
        ++i;
        code += ' ';
      }
      continue;
    }
    if (quote) {
      if (c == quote) quote = 0;
      code += c;
      continue;
    }
    if (c == ';' || (c == '/' && next == '/')) break;
    if (c == '/' && next == '*') {
      inBlock = true;
      ++i;
      continue;
    }
    if (c == '\'' || c == '"') quote = c;
    code += c;
  }
  return code;
}

} // namespace omf51
