#include "ObjectReader.h"

#include "OmfReader.h"

namespace omf51 {

namespace {

bool IsWide(uint8_t type) {
  return type == RecContentWide || type == RecFixupWide || type == RecSegmentsWide ||
         type == RecPublicsWide || type == RecExternalsWide || type == RecDebugItemsExtWide;
}

SymbolDef ReadSymbol(ContentCursor& c, bool wide) {
  SymbolDef s;
  s.SegmentId = c.Id(wide);
  s.Info = c.Byte();
  s.Offset = c.Word();
  c.Byte();
  s.Name = c.Name();
  return s;
}

void DebugItems(ContentCursor& c, bool wide, ObjectModule& m) {
  const uint8_t type = c.Byte();
  while (c.Ok() && !c.AtEnd()) {
    switch (type) {
    case DebugLocals: m.LocalSymbols.push_back(ReadSymbol(c, wide)); break;
    case DebugPublics: m.PublicSymbols.push_back(ReadSymbol(c, wide)); break;
    case DebugSegments: m.SegmentSymbols.push_back(ReadSymbol(c, wide)); break;
    case DebugLines: {
      LineDef line;
      line.SegmentId = c.Id(wide);
      line.Offset = c.Word();
      line.Line = c.Word();
      m.Lines.push_back(line);
      break;
    }
    default: c.Rest(); break;
    }
  }
}

// One record inside a module; false when the record is damaged.
bool ModuleRecord(const RecordView& r, ObjectModule& m) {
  ContentCursor c(r.Content);
  const bool wide = IsWide(r.Type);
  switch (r.Type) {
  case RecSegments:
  case RecSegmentsWide:
    while (c.Ok() && !c.AtEnd()) {
      SegmentDef s;
      s.Id = c.Id(wide);
      s.Info = c.Byte();
      s.Relocation = c.Byte();
      c.Byte();
      s.Base = c.Word();
      s.Size = c.Word();
      s.Name = c.Name();
      m.Segments.push_back(s);
    }
    break;
  case RecPublics:
  case RecPublicsWide:
    while (c.Ok() && !c.AtEnd())
      m.Publics.push_back(ReadSymbol(c, wide));
    break;
  case RecExternals:
  case RecExternalsWide:
    while (c.Ok() && !c.AtEnd()) {
      ExternalDef e;
      c.Byte();
      e.Id = c.Id(wide);
      e.Info = c.Byte();
      c.Byte();
      e.Name = c.Name();
      m.Externals.push_back(e);
    }
    break;
  case RecScope:
    if (c.Byte() == ScopeBeginModule) m.HasDebug = true;
    break;
  case RecSourceName:
    c.Byte(), c.Byte(), c.Byte();
    m.SourceName = c.Name();
    break;
  case RecDebugItems:
  case RecDebugItemsExt:
  case RecDebugItemsExtWide: DebugItems(c, wide, m); break;
  case RecContent:
  case RecContentWide: {
    ContentDef content;
    content.SegmentId = c.Id(wide);
    content.Offset = c.Word();
    const std::string_view data = c.Rest();
    content.Data.assign(data.begin(), data.end());
    m.Contents.push_back(std::move(content));
    break;
  }
  case RecFixup:
  case RecFixupWide:
    if (m.Contents.empty()) return false;
    while (c.Ok() && !c.AtEnd()) {
      FixupDef f;
      f.RefLoc = c.Word();
      f.Type = c.Byte();
      f.IdBlock = c.Byte();
      f.Id = c.Id(wide);
      f.Offset = c.Word();
      m.Contents.back().Fixups.push_back(f);
    }
    break;
  case RecModuleEnd:
    c.Name();
    c.Word();
    m.RegisterMask = c.Byte();
    break;
  default: break;
  }
  return c.Ok();
}

} // namespace

std::string ReadObjectFile(std::string_view bytes, ObjectFile& file) {
  RecordWalker walker(bytes);
  RecordView r;
  ObjectModule* open = nullptr;
  while (walker.Next(r)) {
    if (r.Type == RecLibHeader) {
      file.IsLibrary = true;
    } else if (r.Type == RecModuleHeader) {
      if (open) return "MODULE WITHOUT END RECORD";
      open = &file.Modules.emplace_back();
      ContentCursor c(r.Content);
      open->Name = c.Name();
      open->FileName = file.FileName;
      if (!c.Ok()) return "INVALID RECORD";
    } else if (open) {
      if (!ModuleRecord(r, *open)) return "INVALID RECORD";
      if (r.Type == RecModuleEnd) open = nullptr;
    }
  }
  if (walker.Truncated()) return "TRUNCATED OBJECT FILE";
  if (open) return "MODULE WITHOUT END RECORD";
  if (file.Modules.empty() && !file.IsLibrary) return "NOT AN OBJECT FILE";
  return {};
}

} // namespace omf51
