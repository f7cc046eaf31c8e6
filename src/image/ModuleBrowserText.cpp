#include "ModuleBrowserText.h"

#include "TDefModuleInfo.h"

#include <cstdio>

std::string BrowserModuleName(const TDefModuleInfo& module) {
  return module.Name.empty() ? "NO NAME" : module.Name;
}

std::vector<std::string> BrowserModuleAttributes(const TDefModuleInfo& module) {
  char range[48];
  std::snprintf(range, sizeof range, "Code Begin(%.4X),Code End(%.4X)", module.CodeBegin,
                module.CodeEnd);
  return {range, module.SourceName, std::string(SourceKindName(module.SourceKind))};
}
