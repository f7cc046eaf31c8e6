// Arbitrary bytes as an object file: the record walk, the line-table clean-up
// and the queries the views make on what it built.
#include "OmfWalker.h"
#include "TCPU.h"
#include "TOmf.h"
#include "UserInterface.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentUserInterface ui;
  static const auto cpu = std::make_unique<TCPU>();
  TOmf omf(*cpu, ui);
  OmfWalker walker(omf, *cpu);
  walker.Walk(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& module : omf.Modules)
    module->RemoveDuplicateLineAddresses();
  omf.BuildLineAddrs();
  for (const auto& module : omf.Modules) {
    omf.FindByAddress(module->CodeBegin);
    for (const TSymbolRec& symbol : module->Symbols)
      omf.FindSymbol(symbol.Name, module->CodeEnd);
  }
  omf.CodeLabels();
  return 0;
}
