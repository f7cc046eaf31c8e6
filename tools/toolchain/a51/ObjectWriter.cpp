#include "ObjectWriter.h"

#include "ItemRecords.h"

namespace omf51 {

namespace {

struct Place {
  uint8_t SegmentId = 0;
  uint16_t Offset = 0;
};

Place PlaceOf(const Value& v) {
  if (v.Base == Value::BaseKind::Segment) return {static_cast<uint8_t>(v.BaseId), v.Number};
  return {0, v.Number};
}

void SymbolItem(ItemRecords& records, const Symbol& s) {
  const Place p = PlaceOf(s.Val);
  records.Item(6 + s.Name.size())
      .Byte(p.SegmentId)
      .Byte(s.Val.Type)
      .Word(p.Offset)
      .Byte(0)
      .Name(s.Name);
}

uint8_t SegmentInfo(const AsmSegment& s) {
  return static_cast<uint8_t>(s.Type | (s.Overlayable ? SegInfoOverlayable : 0));
}

void SegmentDefinitions(std::string& file, const AsmModule& module) {
  ItemRecords records(file, RecSegments);
  for (const AbsoluteBlock& b : module.AbsoluteBlocks)
    records.Item(9)
        .Byte(0)
        .Byte(b.Type)
        .Byte(RelAbsolute)
        .Byte(0)
        .Word(b.Base)
        .Word(static_cast<uint16_t>(b.Size))
        .Name("");
  for (size_t i = 0; i < module.Segments.size(); ++i) {
    const AsmSegment& s = module.Segments[i];
    records.Item(9 + s.Name.size())
        .Byte(static_cast<uint8_t>(i + 1))
        .Byte(SegmentInfo(s))
        .Byte(s.Relocation)
        .Byte(0)
        .Word(0)
        .Word(static_cast<uint16_t>(s.Size))
        .Name(s.Name);
  }
}

void DebugSymbols(std::string& file, const AsmModule& module) {
  {
    ItemRecords records(file, RecDebugItems, DebugSegments);
    for (size_t i = 0; i < module.Segments.size(); ++i) {
      const AsmSegment& s = module.Segments[i];
      records.Item(6 + s.Name.size())
          .Byte(static_cast<uint8_t>(i + 1))
          .Byte(SegmentInfo(s))
          .Word(0)
          .Byte(0)
          .Name(s.Name);
    }
  }
  {
    ItemRecords records(file, RecDebugItems, DebugPublics);
    for (const std::string& name : module.Publics)
      SymbolItem(records, module.Symbols.at(name));
  }
  ItemRecords records(file, RecDebugItems, DebugLocals);
  for (const auto& [name, s] : module.Symbols)
    if (IsDebugLocal(s)) SymbolItem(records, s);
}

void Content(std::string& file, const CodeRun& run, bool debug) {
  OmfRecord content(RecContent);
  content.Byte(static_cast<uint8_t>(run.SegmentId)).Word(run.Start).Bytes(run.Bytes);
  content.AppendTo(file);
  {
    ItemRecords fixups(file, RecFixup);
    for (const AsmFixup& f : run.Fixups)
      fixups.Item(7)
          .Word(f.At)
          .Byte(f.Type)
          .Byte(f.IdBlock)
          .Byte(static_cast<uint8_t>(f.Id))
          .Word(f.Offset);
  }
  if (!debug) return;
  ItemRecords lines(file, RecDebugItems, DebugLines);
  for (const auto& [offset, line] : run.Lines)
    lines.Item(5)
        .Byte(static_cast<uint8_t>(run.SegmentId))
        .Word(static_cast<uint16_t>(run.Start + offset))
        .Word(static_cast<uint16_t>(line));
}

} // namespace

bool IsDebugLocal(const Symbol& s) {
  return s.DefinedAt >= 0 && !s.Public &&
         (s.Type == Symbol::Kind::Label || s.Type == Symbol::Kind::Constant ||
          s.Type == Symbol::Kind::Variable) &&
         s.Val.Base != Value::BaseKind::External && s.Val.Selected == Value::Part::Whole &&
         !s.Val.BitOfByte;
}

std::string WriteRelocatableObject(const AsmModule& module, bool debug,
                                   const std::string& sourceName) {
  std::string file;
  OmfRecord(RecModuleHeader).Name(module.Name).Byte(TrnAssembler).Byte(0).AppendTo(file);
  SegmentDefinitions(file, module);
  {
    ItemRecords records(file, RecExternals);
    for (size_t i = 0; i < module.Externals.size(); ++i) {
      const ExternalSymbol& e = module.Externals[i];
      records.Item(4 + e.Name.size())
          .Byte(IdExternal)
          .Byte(static_cast<uint8_t>(i))
          .Byte(e.Type)
          .Byte(0)
          .Name(e.Name);
    }
  }
  {
    ItemRecords records(file, RecPublics);
    for (const std::string& name : module.Publics)
      SymbolItem(records, module.Symbols.at(name));
  }
  if (debug) {
    OmfRecord(RecScope).Byte(ScopeBeginModule).Name(module.Name).AppendTo(file);
    OmfRecord(RecSourceName).Byte(0).Byte(0).Byte(0).Name(sourceName).AppendTo(file);
    DebugSymbols(file, module);
  }
  for (const CodeRun& run : module.Runs)
    Content(file, run, debug);
  if (debug) OmfRecord(RecScope).Byte(ScopeEndModule).Name(module.Name).AppendTo(file);
  OmfRecord(RecModuleEnd)
      .Name(module.Name)
      .Word(0)
      .Byte(module.RegisterMask)
      .Byte(0)
      .AppendTo(file);
  return file;
}

} // namespace omf51
