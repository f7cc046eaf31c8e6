#include "OmfWalker.h"

#include "ProgramMemory.h"
#include "SourceText.h"
#include "TOmf.h"
#include "TextEncoding.h"

#include <algorithm>
#include <cstdio>

namespace {

enum RecordType : uint8_t {
  ModuleHeaderRecord = 0x02,
  ModuleEndRecord = 0x04,
  ContentRecord = 0x06,
  ScopeDefinitionRecord = 0x10,
  DebugItemsRecord = 0x12,
  ExtensionItemsRecord = 0x22,
  SourceNameRecord = 0x24,
};

enum BlockType : uint8_t {
  BeginModule = 0,
  BeginBlock = 1,
  BeginProcedure = 2,
  EndModule = 3,
  EndBlock = 4,
  EndProcedure = 5,
};

enum ItemType : uint8_t {
  LocalSymbols = 0,
  PublicSymbols = 1,
  SegmentSymbols = 2,
  LineNumbers = 3,
};

constexpr size_t SymbolItemHead = 6; // attributes, region, address, type, name length
constexpr size_t LineItemSize = 5;   // segment, address, line number
constexpr size_t SourceNameSkip = 3; // bytes before the source name

// No real program comes near this many line-table entries; a file that
// claims more only wants the memory.
constexpr size_t LineEntryBudget = size_t{1} << 22;

constexpr const char* CutShort = "目标文件已损坏：偏移 %lXH 处的记录不完整，无法读出的部分没有装入";
constexpr const char* PastImage = "目标文件偏移 %lXH 处的代码超出 FFFFH，超出的部分没有装入";
constexpr const char* TooManyLines = "目标文件偏移 %lXH 处的行号表过大，没有装入";

uint8_t At(std::string_view bytes, size_t i) {
  return static_cast<uint8_t>(bytes[i]);
}

uint16_t Word(std::string_view bytes, size_t i) {
  return static_cast<uint16_t>(At(bytes, i) | At(bytes, i + 1) << 8);
}

uint8_t KindOfSourceName(std::string_view name, uint8_t previous) {
  const std::string ext = UpperExtension(name);
  if (ext == ".C") return stC;
  if (ext == ".LST" || ext == ".A51" || ext == ".ASM") return stASM;
  return previous;
}

} // namespace

OmfWalker::OmfWalker(TOmf& omf, TCPU& cpu) : Omf(omf), CPU(cpu), LineEntriesLeft(LineEntryBudget) {}

void OmfWalker::Walk(std::string_view file) {
  size_t pos = 0;
  while (pos < file.size()) {
    RecordOffset = pos;
    const size_t left = file.size() - pos;
    if (left < 3 || left - 3 < Word(file, pos + 1)) {
      NoteFault(CutShort);
      return;
    }
    const uint8_t type = At(file, pos);
    const size_t length = Word(file, pos + 1);
    // The length counts the checksum, which is never checked.
    const Bytes content = file.substr(pos + 3, length > 0 ? length - 1 : 0);
    pos += 3 + length;
    switch (type) {
    case ModuleHeaderRecord: ModuleHeader(content); break;
    case ModuleEndRecord: return;
    case ContentRecord: Content(content); break;
    case ScopeDefinitionRecord: ScopeDefinition(content); break;
    case DebugItemsRecord: DebugItems(content); break;
    case ExtensionItemsRecord: ExtensionItems(content); break;
    case SourceNameRecord: SourceName(content); break;
    default: break;
    }
  }
}

void OmfWalker::ModuleHeader(Bytes content) {
  Omf.ModuleName = ReadName(content, 0);
}

void OmfWalker::Content(Bytes content) {
  if (content.size() < 3) {
    NoteFault(CutShort);
    return;
  }
  // The segment id is not looked at: all content goes to program memory.
  const uint32_t address = Word(content, 1);
  size_t count = content.size() - 3;
  if (count == 0) return;
  if (address + count > 0x10000) {
    NoteFault(PastImage);
    count = 0x10000 - address;
  }
  const auto first = static_cast<uint16_t>(address);
  const auto last = static_cast<uint16_t>(address + count - 1);
  Omf.WidenLoadedRange(first, last);
  if (OpenModule) OpenModule->Widen(first, last);
  if (OpenBlock) OpenBlock->Widen(first, last);
  if (OpenSub) OpenSub->Widen(first, last);
  StoreCode(CPU, first, reinterpret_cast<const uint8_t*>(content.data()) + 3, count);
}

void OmfWalker::ScopeDefinition(Bytes content) {
  if (content.empty()) {
    NoteFault(CutShort);
    return;
  }
  switch (At(content, 0)) {
  case BeginModule: {
    auto module = std::make_unique<TDefModuleInfo>();
    module->Name = ReadName(content, 1);
    OpenModule = module.get();
    Omf.Modules.push_back(std::move(module));
    OpenBlock = nullptr; // the nested block and depth stay as they were
    break;
  }
  case BeginBlock:
    if (!OpenBlock) break;
    OpenBlock->SubBlocks.push_back(std::make_unique<TDefBlockInfo>());
    OpenSub = OpenBlock->SubBlocks.back().get();
    ++Depth;
    break;
  case BeginProcedure: {
    if (!OpenModule) break;
    auto block = std::make_unique<TDefBlockInfo>();
    block->Name = ReadName(content, 1);
    OpenBlock = block.get();
    OpenModule->Blocks.push_back(std::move(block));
    OpenSub = nullptr;
    Depth = -1;
    break;
  }
  case EndModule:
    // An assembler module stays current until the next one begins.
    if (OpenModule && OpenModule->SourceKind == stC) OpenModule = nullptr;
    break;
  case EndBlock: {
    if (!OpenBlock) break;
    --Depth;
    // The parent is found by position in the flat list, not by true nesting.
    const auto& subs = OpenBlock->SubBlocks;
    OpenSub = Depth >= 0 && static_cast<size_t>(Depth) < subs.size() ? subs[Depth].get() : nullptr;
    break;
  }
  case EndProcedure:
    OpenBlock = nullptr;
    OpenSub = nullptr;
    break;
  default: break;
  }
}

void OmfWalker::DebugItems(Bytes content) {
  if (content.empty()) {
    NoteFault(CutShort);
    return;
  }
  switch (At(content, 0)) {
  case LocalSymbols:
  case PublicSymbols:
    // Functions and blocks are not considered here.
    ReadSymbols(content, OpenModule ? OpenModule->Symbols : Omf.Symbols);
    break;
  case LineNumbers:
    if (OpenModule) ReadLineNumbers(content);
    break;
  default: break;
  }
}

void OmfWalker::ExtensionItems(Bytes content) {
  if (content.empty()) {
    NoteFault(CutShort);
    return;
  }
  switch (At(content, 0)) {
  case SegmentSymbols: break;
  case LineNumbers:
    if (OpenModule) ReadLineNumbers(content);
    break;
  default:
    ReadSymbols(content, OpenSub      ? OpenSub->Symbols
                         : OpenBlock  ? OpenBlock->Symbols
                         : OpenModule ? OpenModule->Symbols
                                      : Omf.Symbols);
    break;
  }
}

void OmfWalker::SourceName(Bytes content) {
  if (!OpenModule) return;
  if (content.size() <= SourceNameSkip) {
    NoteFault(CutShort);
    return;
  }
  OpenModule->SourceName = ReadName(content, SourceNameSkip);
  OpenModule->SourceKind = KindOfSourceName(OpenModule->SourceName, OpenModule->SourceKind);
}

void OmfWalker::ReadSymbols(Bytes content, std::vector<TSymbolRec>& into) {
  size_t offset = 1;
  while (offset < content.size()) {
    const size_t left = content.size() - offset;
    if (left < SymbolItemHead || left - SymbolItemHead < At(content, offset + 5)) {
      NoteFault(CutShort);
      return;
    }
    TSymbolRec symbol;
    symbol.Attrib = At(content, offset);
    symbol.Region = At(content, offset + 1);
    symbol.Addr = Word(content, offset + 2);
    symbol.Type = At(content, offset + 4);
    const size_t length = At(content, offset + 5);
    const Bytes name = content.substr(offset + SymbolItemHead, length);
    symbol.Name = DecodeText(name.substr(0, TSymbolRec::MaxNameLength)).Utf8;
    into.push_back(std::move(symbol));
    offset += SymbolItemHead + length;
  }
}

void OmfWalker::ReadLineNumbers(Bytes content) {
  if ((content.size() - 1) % LineItemSize != 0) NoteFault(CutShort);
  TLongIntList& lines = OpenModule->Lines;
  for (size_t offset = 1; content.size() - offset >= LineItemSize; offset += LineItemSize) {
    const int32_t address = Word(content, offset + 1);
    const int32_t line = Word(content, offset + 3);
    if (line == 0) continue; // line n is entry n-1: line 0 has no place
    if (line > lines.Count()) {
      const auto missing = static_cast<size_t>(line - lines.Count());
      if (missing > LineEntriesLeft) {
        NoteFault(TooManyLines);
        continue;
      }
      LineEntriesLeft -= missing;
      while (lines.Count() < line)
        lines.Add(-1);
    }
    lines.Put(line - 1, address);
  }
}

std::string OmfWalker::ReadName(Bytes content, size_t offset) {
  if (offset >= content.size()) {
    NoteFault(CutShort);
    return {};
  }
  const size_t length = At(content, offset);
  const Bytes name = content.substr(offset + 1, length);
  if (name.size() < length) NoteFault(CutShort);
  return DecodeText(name).Utf8;
}

void OmfWalker::NoteFault(const char* format) {
  if (!FaultText.empty()) return;
  char text[256];
  std::snprintf(text, sizeof text, format, static_cast<unsigned long>(RecordOffset));
  FaultText = text;
}
