#include "MapWriter.h"

#include "PagedText.h"
#include "ToolFiles.h"

#include <algorithm>
#include <cstdio>

namespace omf51 {

namespace {

constexpr const char* Title = "L51 LINKER/LOCATER V1.0";

std::string Hex(uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04XH", value & 0xFFFF);
  return text;
}

std::string BitPlace(uint32_t bits) {
  return Hex(bits / 8) + "." + std::to_string(bits % 8);
}

PagedText NewMap() {
  const ListingStamp stamp = CurrentStamp();
  return PagedText(61, 60, [stamp](int page) {
    const std::string header = Pad(Title, page == 1 ? 88 : 86) + stamp.Date + "  " + stamp.Time +
                               "  PAGE " + std::to_string(page);
    return std::vector<std::string>{header, "", ""};
  });
}

std::string Row(const std::string& type, const std::string& base, const std::string& length,
                const std::string& relocation, const std::string& name) {
  // A long relocation word pushes the name on rather than being cut.
  const std::string rest = relocation.size() < 13 ? Pad(relocation, 13) : relocation + " ";
  return std::string(12, ' ') + Pad(type, 8) + Pad(base, 10) + Pad(length, 10) + rest + name;
}

// Where a row lies in its memory, in bytes (BIT rows by the bytes holding their bits).
std::pair<uint32_t, uint32_t> ByteRange(const MapRow& r) {
  if (!r.Bits) return {r.Base, r.Base + r.Length};
  const uint32_t first = r.Base < 0x80 ? 0x20 + r.Base / 8 : r.Base & 0xF8;
  const uint32_t last = r.Length == 0
                            ? first
                            : (r.Base + r.Length - 1 < 0x80 ? 0x20 + (r.Base + r.Length - 1) / 8
                                                            : (r.Base + r.Length - 1) & 0xF8);
  return {first, last + 1};
}

void MemoryClass(PagedText& out, const LinkResult& result, MemoryType space, const char* banner,
                 bool& first) {
  std::vector<MapRow> rows;
  for (const MapRow& r : result.Rows)
    if (r.Space == space) rows.push_back(r);
  if (rows.empty()) return;
  std::stable_sort(rows.begin(), rows.end(), [](const MapRow& a, const MapRow& b) {
    return ByteRange(a).first < ByteRange(b).first;
  });
  if (!first) out.Blank();
  first = false;
  out.Line(std::string(12, ' ') + banner);
  uint32_t end = 0;
  for (const MapRow& r : rows) {
    const auto [from, to] = ByteRange(r);
    if (from > end) out.Line(Row("", Hex(end), Hex(from - end), "", "*** GAP ***"));
    end = std::max(end, to);
    const std::string base = r.Bits ? Hex(from) + "." + std::to_string(r.Base % 8) : Hex(r.Base);
    out.Line(
        Row(r.TypeWord, base, r.Bits ? BitPlace(r.Length) : Hex(r.Length), r.Relocation, r.Name));
  }
}

std::string ValueText(uint8_t usage, uint16_t value) {
  static const char Prefix[] = "CXDIBN";
  if ((usage & 7) == MemBit) {
    const uint8_t bit = static_cast<uint8_t>(value);
    return "B:" + Hex(BitByteAddress(bit)) + "." + std::to_string(bit & 7);
  }
  return std::string(1, (usage & 7) <= MemNumber ? Prefix[usage & 7] : 'N') + ":" + Hex(value);
}

void SymbolRow(PagedText& out, const std::string& value, const std::string& type,
               const std::string& name) {
  out.Line("  " + Pad(value, 16) + Pad(type, 14) + name);
}

void ModuleSymbols(PagedText& out, const LinkedModule& m) {
  const ObjectModule& om = *m.Module;
  SymbolRow(out, "-------", "MODULE", om.Name);
  for (const SymbolDef& s : om.SegmentSymbols)
    SymbolRow(out, ValueText(s.Info, m.Final(s.SegmentId, 0)), "SEGMENT", s.Name);
  for (const SymbolDef& s : om.PublicSymbols)
    SymbolRow(out, ValueText(s.Info, m.Final(s.SegmentId, s.Offset)), "PUBLIC", s.Name);
  for (const SymbolDef& s : om.LocalSymbols)
    SymbolRow(out, ValueText(s.Info, m.Final(s.SegmentId, s.Offset)), "SYMBOL", s.Name);
  for (const LineDef& l : om.Lines)
    SymbolRow(out, ValueText(MemCode, m.Final(l.SegmentId, l.Offset)), "LINE#",
              std::to_string(l.Line));
  SymbolRow(out, "-------", "ENDMOD", om.Name);
  out.Blank();
}

void Message(PagedText& out, const LinkDiagnostic& d) {
  const char* lead = d.Severity == LinkDiagnostic::Level::Warning ? "*** WARNING L"
                     : d.Severity == LinkDiagnostic::Level::Error ? "*** ERROR L"
                                                                  : "*** FATAL ERROR L";
  out.Line(lead + std::to_string(d.Number) + ": " + d.Text);
  for (const std::string& detail : d.Details)
    out.Line("    " + detail);
}

std::string ProgramSize(const LinkResult& result) {
  uint32_t data = 0, bits = 0, xdata = 0, code = 0;
  for (const MapRow& r : result.Rows) {
    if (r.Space == MemData) (r.Bits ? bits : data) += r.Length;
    if (r.Space == MemXData) xdata += r.Length;
    if (r.Space == MemCode) code += r.Length;
  }
  return "Program Size: data=" + std::to_string(data + bits / 8) + "." + std::to_string(bits % 8) +
         " xdata=" + std::to_string(xdata) + " code=" + std::to_string(code);
}

} // namespace

std::string WriteMap(const LinkResult& result, const MapOptions& options) {
  PagedText out = NewMap();
  out.Line(std::string(Title) + ", INVOKED BY:");
  const std::string& command = options.CommandLine;
  out.Line(command.substr(0, 120));
  for (size_t at = 120; at < command.size(); at += 117)
    out.Line(">> " + command.substr(at, 117));
  out.Blank(2);
  out.Line("MEMORY MODEL: SMALL");
  out.Blank(2);
  out.Line("INPUT MODULES INCLUDED:");
  for (const LinkedModule& m : result.Modules)
    out.Line("  " + m.Module->FileName + " (" + m.Module->Name + ")");
  out.Blank(2);
  const std::string first = result.Modules.empty() ? "" : result.Modules.front().Module->Name;
  const std::string module = options.OutputName + " (" + first + ")";
  if (!result.Modules.empty()) {
    out.Line("LINK MAP OF MODULE:  " + module);
    out.Blank(2);
    out.Line(Row("TYPE", "BASE", "LENGTH", "RELOCATION", "SEGMENT NAME"));
    out.Line(std::string(12, ' ') + std::string(53, '-'));
    out.Blank();
    bool firstClass = true;
    MemoryClass(out, result, MemData, "* * * * * * *   D A T A   M E M O R Y   * * * * * * *",
                firstClass);
    MemoryClass(out, result, MemXData, "* * * * * * *  X D A T A   M E M O R Y  * * * * * * *",
                firstClass);
    MemoryClass(out, result, MemCode, "* * * * * * *   C O D E   M E M O R Y   * * * * * * *",
                firstClass);
    out.Blank(3);
    out.Line("OVERLAY MAP OF MODULE:   " + module);
    out.Blank(2);
    out.Line("SEGMENT");
    out.Line("  +--> CALLED SEGMENT");
    out.Line(std::string(21, '-'));
    out.Blank(3);
  }
  if (!result.Unresolved.empty()) {
    out.Line("UNRESOLVED EXTERNAL SYMBOLS:");
    for (const std::string& name : result.Unresolved)
      out.Line("   " + name);
    out.Blank(3);
  }
  if (!result.Modules.empty()) {
    out.Line("SYMBOL TABLE OF MODULE:  " + module);
    out.Blank();
    out.Line("  VALUE           TYPE          NAME");
    out.Line("  " + std::string(34, '-'));
    out.Blank();
    for (const LinkedModule& m : result.Modules)
      if (m.Module->HasDebug) ModuleSymbols(out, m);
  }
  for (const LinkDiagnostic& d : result.Diagnostics) {
    if (d.Severity == LinkDiagnostic::Level::Fatal) continue;
    Message(out, d);
    out.Blank();
  }
  out.Line(ProgramSize(result));
  out.Line("LINK/LOCATE RUN COMPLETE.  " + std::to_string(result.Warnings()) + " WARNING(S),  " +
           std::to_string(result.Errors()) + " ERROR(S)");
  for (const LinkDiagnostic& d : result.Diagnostics)
    if (d.Severity == LinkDiagnostic::Level::Fatal) Message(out, d);
  return out.Text();
}

} // namespace omf51
