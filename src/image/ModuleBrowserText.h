#pragma once

#include <string>
#include <vector>

class TDefModuleInfo;

// What the module browser lists for a module: its name, or "NO NAME".
std::string BrowserModuleName(const TDefModuleInfo& module);

// The three lines the module browser shows for a module: its code range,
// its source name and its source kind.
std::vector<std::string> BrowserModuleAttributes(const TDefModuleInfo& module);
