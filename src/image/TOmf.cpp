#include "TOmf.h"

namespace {

const TSymbolRec* FindIn(const std::vector<TSymbolRec>& symbols, std::string_view name) {
  for (const TSymbolRec& symbol : symbols)
    if (symbol.Name == name) return &symbol;
  return nullptr;
}

void AddCodeLabels(const std::vector<TSymbolRec>& symbols, std::vector<const TSymbolRec*>& out) {
  for (const TSymbolRec& symbol : symbols)
    if (IsCodeLabel(symbol)) out.push_back(&symbol);
}

} // namespace

TOmf::TOmf(TCPU& cpu, UserInterface& ui) : CPU(cpu), UI(ui) {}

void TOmf::Clear() {
  FileName.clear();
  ModuleName.clear();
  StartAddr = 0xFFFF;
  EndAddr = 0;
  FileKind = fkNone;
  Symbols.clear();
  Modules.clear();
  LineAddrs.Clear();
}

TOmf::Scope TOmf::FindByAddress(uint16_t address) const {
  Scope found;
  for (const auto& module : Modules) {
    if (!module->Contains(address)) continue;
    found.Module = module.get();
    for (const auto& block : module->Blocks)
      if (block->Contains(address)) {
        found.Block = block.get();
        return found;
      }
  }
  return found;
}

const TSymbolRec* TOmf::FindSymbol(std::string_view name, uint16_t address) const {
  const TSymbolRec* result = FindIn(Symbols, name);
  const auto take = [&result, name](const std::vector<TSymbolRec>& symbols) {
    if (const TSymbolRec* hit = FindIn(symbols, name)) result = hit;
  };
  for (const auto& module : Modules) {
    if (!module->Contains(address)) continue;
    take(module->Symbols);
    for (const auto& block : module->Blocks) {
      if (!block->Contains(address)) continue;
      take(block->Symbols);
      for (const auto& sub : block->SubBlocks)
        if (sub->Contains(address)) take(sub->Symbols);
    }
  }
  if (result) return result;
  for (const auto& module : Modules)
    if (const TSymbolRec* hit = FindIn(module->Symbols, name)) return hit;
  return nullptr;
}

void TOmf::BuildLineAddrs() {
  for (const auto& module : Modules)
    for (int32_t address : module->Lines.Values())
      if (address != -1) LineAddrs.Add(address);
}

std::vector<const TSymbolRec*> TOmf::CodeLabels() const {
  std::vector<const TSymbolRec*> labels;
  AddCodeLabels(Symbols, labels);
  for (const auto& module : Modules) {
    AddCodeLabels(module->Symbols, labels);
    for (const auto& block : module->Blocks) {
      AddCodeLabels(block->Symbols, labels);
      for (const auto& sub : block->SubBlocks)
        AddCodeLabels(sub->Symbols, labels);
    }
  }
  return labels;
}
