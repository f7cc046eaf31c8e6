#include "AbsoluteWriter.h"

#include "ItemRecords.h"

namespace omf51 {

namespace {

void Symbols(std::string& file, const LinkedModule& m, uint8_t defType,
             const std::vector<SymbolDef>& symbols, bool segments) {
  ItemRecords records(file, RecDebugItems, defType);
  for (const SymbolDef& s : symbols) {
    const uint16_t address = m.Final(s.SegmentId, segments ? 0 : s.Offset);
    records.Item(6 + s.Name.size()).Byte(0).Byte(s.Info).Word(address).Byte(0).Name(s.Name);
  }
}

void LinesInside(std::string& file, const LinkedModule& m, const ContentDef& code,
                 std::vector<bool>& written) {
  ItemRecords records(file, RecDebugItems, DebugLines);
  const auto& lines = m.Module->Lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    const uint16_t address = m.Final(lines[i].SegmentId, lines[i].Offset);
    if (written[i] || address < code.Offset || address >= code.Offset + code.Data.size()) continue;
    written[i] = true;
    records.Item(5).Byte(0).Word(address).Word(lines[i].Line);
  }
}

void Content(std::string& file, const ContentDef& code) {
  OmfRecord(RecContent).Byte(0).Word(code.Offset).Bytes(code.Data).AppendTo(file);
}

} // namespace

std::string WriteAbsoluteObject(const LinkResult& result) {
  std::string file;
  const std::string name = result.Modules.empty() ? "" : result.Modules.front().Module->Name;
  OmfRecord(RecModuleHeader).Name(name).Byte(TrnLinker).Byte(0).AppendTo(file);
  for (const LinkedModule& m : result.Modules) {
    const ObjectModule& om = *m.Module;
    if (!om.HasDebug) {
      for (const ContentDef& code : m.Code)
        Content(file, code);
      continue;
    }
    OmfRecord(RecScope).Byte(ScopeBeginModule).Name(om.Name).AppendTo(file);
    if (!om.SourceName.empty())
      OmfRecord(RecSourceName).Byte(0).Byte(0).Byte(0).Name(om.SourceName).AppendTo(file);
    Symbols(file, m, DebugSegments, om.SegmentSymbols, true);
    Symbols(file, m, DebugPublics, om.PublicSymbols, false);
    Symbols(file, m, DebugLocals, om.LocalSymbols, false);
    std::vector<bool> written(om.Lines.size(), false);
    for (const ContentDef& code : m.Code) {
      Content(file, code);
      LinesInside(file, m, code, written);
    }
    OmfRecord(RecScope).Byte(ScopeEndModule).Name(om.Name).AppendTo(file);
  }
  OmfRecord(RecModuleEnd).Name(name).Word(0).Byte(result.RegisterMask).Byte(0).AppendTo(file);
  return file;
}

} // namespace omf51
