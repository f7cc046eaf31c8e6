#include "ListingWriter.h"

#include "PagedText.h"
#include "ToolControls.h"
#include "ToolFiles.h"

#include "HexText.h"

#include <cstdio>

namespace omf51 {

namespace {

constexpr const char* Title = "A51 MACRO ASSEMBLER";
constexpr const char* Identification = "A51 MACRO ASSEMBLER V1.0";
constexpr size_t Width = 120;
constexpr size_t TextColumn = 29; // the source text starts in column 30

std::string Hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
  return text;
}

PagedText NewListing(const ListingOptions& options) {
  const ListingStamp stamp = CurrentStamp();
  const std::string base =
      options.Title.empty() ? UpperCase(BaseName(options.SourceName)) : options.Title.substr(0, 68);
  return PagedText(67, 68, [=](int page) {
    char number[8];
    std::snprintf(number, sizeof number, "%6d", page);
    const std::string header =
        Pad(Title, 21) + Pad(base, 69) + stamp.Date + " " + stamp.Time + " PAGE" + number;
    if (page == 1) return std::vector<std::string>{header, "", ""};
    return std::vector<std::string>{header, ""};
  });
}

void FirstPage(PagedText& out, const ListingOptions& options) {
  out.Line(Identification);
  out.Line(options.ObjectName.empty() ? "NO OBJECT MODULE REQUESTED"
                                      : "OBJECT MODULE PLACED IN " + options.ObjectName);
  const std::string invoked = "ASSEMBLER INVOKED BY: " + options.CommandLine;
  out.Line(invoked.substr(0, Width));
  for (size_t at = Width; at < invoked.size(); at += Width - 22)
    out.Line(std::string(22, ' ') + invoked.substr(at, Width - 22));
  for (const std::string& control : options.UnknownControls)
    out.Line("*** WARNING #A" + std::to_string(WarnUnknownControl) + " IN 0 (" +
             options.SourceName + ", LINE 0): " + AsmErrorText(WarnUnknownControl) + ": " +
             control);
  out.Blank();
  out.Line("LOC  OBJ            LINE     SOURCE");
  out.Blank();
}

std::string ExpandTabs(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\t')
      out.append(8 - out.size() % 8, ' ');
    else
      out += c;
  }
  return out;
}

std::string Diagnostic(AsmError error, int listLine, const std::string& file, int fileLine) {
  return std::string(IsWarning(error) ? "*** WARNING #A" : "*** ERROR #A") + std::to_string(error) +
         " IN " + std::to_string(listLine) + " (" + file + ", LINE " + std::to_string(fileLine) +
         "): " + AsmErrorText(error);
}

// The rows of one listing line: the first holds location, bytes and line
// number (none for an expansion line, which shows '+' in column 18);
// object bytes past the fourth and text past column 120 continue on rows of
// their own.
void SourceRows(PagedText& out, const SourceLine& line, const ListedLine& listed, int number) {
  const std::string text = ExpandTabs(listed.Expansion ? listed.Text : line.Text);
  const size_t firstText = Width - TextColumn;
  const size_t textRows = text.size() <= firstText ? 1 : 1 + (text.size() - 1) / firstText;
  const size_t byteRows = listed.Bytes.size() <= 4 ? 1 : (listed.Bytes.size() + 3) / 4;
  for (size_t row = 0; row < std::max(textRows, byteRows); ++row) {
    std::string prefix(TextColumn, ' ');
    const auto put = [&prefix](size_t column, const std::string& s) {
      prefix.replace(column - 1, s.size(), s);
    };
    if (row < byteRows) {
      const size_t first = row * 4;
      const size_t count =
          std::min<size_t>(4, listed.Bytes.size() - std::min(first, listed.Bytes.size()));
      if (row == 0 && listed.Show == ListedLine::Field::SegmentSelect) put(1, "----");
      if (row == 0 && listed.Show == ListedLine::Field::Value) put(3, Hex4(listed.Number));
      if ((row == 0 && listed.Show == ListedLine::Field::Location) || count > 0)
        put(1, Hex4(listed.Number + first));
      if (count > 0) put(6, BytesToHex(listed.Bytes.data() + first, count));
    }
    if (row == 0) {
      if (listed.HasFixup) put(15, "F");
      if (line.Included) put(17, "=");
      if (listed.Expansion) put(18, "+");
      if (listed.Assembled && !listed.Expansion) {
        char field[12]; // room for any int; line numbers stay below 1 000 000
        std::snprintf(field, sizeof field, "%5d", number);
        put(20, field);
      }
    }
    const size_t from = row * firstText;
    out.Line(prefix + (from < text.size() ? text.substr(from, firstText) : std::string()));
  }
}

char ClassLetter(MemoryType type) {
  static const char Letters[] = "CXDIBN";
  return type <= MemNumber ? Letters[type] : ' ';
}

std::string NameField(const std::string& name) {
  std::string field = name;
  if (field.size() >= 18) return field + "  ";
  for (size_t column = field.size() + 1; column <= 18; ++column)
    field += column % 2 == 0 ? '.' : ' ';
  return field + "  ";
}

std::string SymbolRow(const Symbol& s, const AsmModule& module) {
  std::string row = NameField(s.Name);
  char value[8];
  switch (s.Type) {
  case Symbol::Kind::Segment: {
    const AsmSegment& seg = module.Segments[static_cast<size_t>(s.SegmentIndex)];
    static const char* const Rel[] = {"ABSOLUTE", "UNIT",    "BITADDRESSABLE",
                                      "INPAGE",   "INBLOCK", "PAGE"};
    std::snprintf(value, sizeof value, "%04XH", seg.Size & 0xFFFF);
    return row + ClassLetter(seg.Type) + " SEG    " + value +
           "       REL=" + (seg.Overlayable ? "OVERLAYABLE" : Rel[seg.Relocation]);
  }
  case Symbol::Kind::External: return row + ClassLetter(s.Val.Type) + " ADDR   -----       EXT";
  case Symbol::Kind::Register: return row + "  REG    R" + std::to_string(s.RegisterNumber);
  default: break;
  }
  std::snprintf(value, sizeof value, "%04XH", s.Val.Number);
  row += ClassLetter(s.Val.Type);
  row += s.Val.Type == MemNumber ? " NUMB   " : " ADDR   ";
  row += value;
  switch (s.Val.Base) {
  case Value::BaseKind::Absolute: return row + "   A   ";
  case Value::BaseKind::Segment:
    return row + "   R   SEG=" + module.Segments[static_cast<size_t>(s.Val.BaseId - 1)].Name;
  case Value::BaseKind::External: break;
  }
  return row + "   R   EXT=" + module.Externals[static_cast<size_t>(s.Val.BaseId)].Name;
}

void SymbolTableRows(PagedText& out, const AsmModule& module) {
  out.NewPage();
  out.Line("SYMBOL TABLE LISTING");
  out.Line("------ ----- -------");
  out.Blank(2);
  out.Line("N A M E             T Y P E  V A L U E   ATTRIBUTES");
  bool any = false;
  for (const auto& [name, s] : module.Symbols) {
    if (s.DefinedAt < 0) continue;
    if (!any) out.Blank();
    any = true;
    out.Line(SymbolRow(s, module));
  }
  out.Blank(any ? 2 : 3);
}

std::string Closing(int warnings, int errors) {
  return "ASSEMBLY COMPLETE.  " + std::to_string(warnings) + " WARNING(S), " +
         std::to_string(errors) + " ERROR(S)";
}

} // namespace

std::string WriteListing(const SourceText& source, const AsmModule& module,
                         const ListingOptions& options) {
  PagedText out = NewListing(options);
  FirstPage(out, options);
  for (const ListedLine& listed : module.Listing) {
    const SourceLine& line = source.Lines[static_cast<size_t>(listed.Source)];
    const int number = listed.Source + 1;
    if (!line.NoList && !(listed.Skipped && line.NoCond)) SourceRows(out, line, listed, number);
    for (AsmError e : listed.Diagnostics)
      out.Line(
          Diagnostic(e, number, source.FileNames[static_cast<size_t>(line.File)], line.FileLine));
  }
  for (AsmError e : module.EndDiagnostics) {
    const int number = static_cast<int>(source.Lines.size());
    const int fileLine = source.Lines.empty() ? 0 : source.Lines.back().FileLine;
    const std::string& file = source.Lines.empty()
                                  ? options.SourceName
                                  : source.FileNames[static_cast<size_t>(source.Lines.back().File)];
    out.Line(Diagnostic(e, number, file, fileLine));
  }
  if (options.Symbols)
    SymbolTableRows(out, module);
  else
    out.Blank(2);
  std::string banks = "REGISTER BANK(S) USED: ";
  for (int bank = 0; bank < 4; ++bank)
    if (module.RegisterMask & (1 << bank)) banks += std::to_string(bank) + " ";
  out.Line(banks);
  out.Blank(2);
  const int warnings = module.Warnings + static_cast<int>(options.UnknownControls.size());
  out.Line(Closing(warnings, module.Errors));
  return out.Text();
}

std::string WriteUnreadableSourceListing(const ListingOptions& options) {
  PagedText out = NewListing(options);
  FirstPage(out, options);
  out.Line(Diagnostic(ErrSourceFile, 0, options.SourceName, 0));
  out.Blank(2);
  out.Line(Closing(static_cast<int>(options.UnknownControls.size()), 1));
  return out.Text();
}

} // namespace omf51
