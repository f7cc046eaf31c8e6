#include "BreakPointRows.h"

#include "TOmf.h"

#include <algorithm>
#include <cstdio>

std::vector<BreakPointRow> BreakPointRows(const TOmf& debugInfo, const TLongIntList& list) {
  std::vector<BreakPointRow> rows;
  for (int32_t address : list.Values()) {
    BreakPointRow row;
    int32_t line = 0;
    for (const auto& module : debugInfo.Modules) {
      const std::vector<int32_t>& lines = module->Lines.Values();
      const auto found = std::find(lines.begin(), lines.end(), address);
      if (found == lines.end()) continue;
      row.Module = module->Name;
      line = static_cast<int32_t>(found - lines.begin()) + 1;
      break;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.4X", static_cast<unsigned>(address));
    row.Address = text;
    row.Line = std::to_string(line);
    rows.push_back(std::move(row));
  }
  return rows;
}
