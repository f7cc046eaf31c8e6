#include "WatchList.h"

#include "TCPU.h"
#include "TOmf.h"
#include "TPort.h"
#include "VariableText.h"

#include <algorithm>

namespace {

// Brings a variable's bytes up to date; the range is cut at the end of its space.
void ReadVariable(TPort& port, const VariableRead& read) {
  const MemorySpaceInfo& info = SpaceInfo(read.Space);
  const uint32_t end = info.First + info.Size;
  if (read.Address >= end) return;
  const int count =
      static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(read.Count), end - read.Address));
  switch (read.Space) {
  case MemorySpace::Code: port.ReadCode(read.Address, count); break;
  case MemorySpace::XData: port.ReadXData(read.Address, count); break;
  case MemorySpace::IRam: port.ReadIRam(static_cast<uint8_t>(read.Address), count); break;
  case MemorySpace::Sfr: {
    std::bitset<128> set;
    for (uint32_t a = read.Address; a < read.Address + static_cast<uint32_t>(count); ++a)
      set.set(a - 0x80u);
    port.ReadSfrs(set);
    break;
  }
  }
}

} // namespace

void WatchList::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(Watches.size())) return;
  Watches.erase(Watches.begin() + index);
}

std::vector<std::string> WatchList::BuildList() {
  std::vector<std::string> lines;
  for (const std::string& name : Watches) {
    const TSymbolRec* symbol = DebugInfo.FindSymbol(name, Target.CPU.PC);
    if (symbol && Target.Port.IsOpen())
      if (const std::optional<VariableRead> read = VariableReadRange(*symbol))
        ReadVariable(Target.Port, *read);
    lines.push_back(VariableLine(name, symbol, Target.CPU));
  }
  return lines;
}
