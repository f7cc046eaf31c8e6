#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ViewTarget.h"

class TOmf;

// The variable window apart from its list box: the watched names in the order they were
// added (duplicates and empty names kept) and the line each shows.
class WatchList {
public:
  WatchList(const ViewTarget& target, const TOmf& debugInfo)
      : Target(target), DebugInfo(debugInfo) {}

  std::vector<std::string> Watches;

  void Add(std::string_view name) { Watches.emplace_back(name); }
  // Index outside the list: nothing.
  void Delete(int index);
  void Clear() { Watches.clear(); }

  // One line per watch: the name resolved in the scope of the PC, its value read from a
  // connected emulator first.
  std::vector<std::string> BuildList();

private:
  ViewTarget Target;
  const TOmf& DebugInfo;
};
