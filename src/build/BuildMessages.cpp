#include "BuildMessages.h"

#include "FileLookup.h"
#include "TextEncoding.h"
#include "TextFileLines.h"
#include "UserInterface.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>

namespace {

constexpr std::string_view AssemblerTitle = "A51 MACRO ASSEMBLER";
constexpr std::string_view CompilerTitle = "C51 COMPILER";
constexpr std::string_view ErrorMark = "*** ERROR";
constexpr std::string_view WarningMark = "*** WARNING";
constexpr std::string_view FatalMark = "*** FATAL ERROR";
constexpr std::string_view MapSummary = "LINK/LOCATE RUN COMPLETE";
constexpr const char* MissingListing = "程序中包含文件未找到，产生错误";
constexpr const char* MissingMap = "LINK/LOCATE RUN COMPLETE.  1 ERROR";
constexpr const char* NoMapSummary = "产生错误，请查看：";

// An assembler listing line shorter than this holds no listed source line.
constexpr size_t ShortestAssemblerLine = 25;
constexpr size_t LineNumberColumn = 19; // 0-based start of the 5-column field
constexpr size_t IncludeMarkColumn = 16;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsMessage(std::string_view line) {
  return StartsWith(line, ErrorMark) || StartsWith(line, WarningMark);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Every page of a listing starts with the tool's title, after a form feed on
// later pages. Its columns can look like a line number (a source named 12345.asm).
bool IsPageHeader(std::string_view line) {
  if (!line.empty() && line.front() == '\f') line.remove_prefix(1);
  return StartsWith(line, AssemblerTitle);
}

// The file name part after the last '\', '/' or ':'.
std::string_view NamePart(std::string_view path) {
  const size_t last = path.find_last_of("\\/:");
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

// A line number as the compiler writes it after "IN LINE": blanks, then digits,
// then the blank before "OF". Empty when the text is anything else.
std::string_view CompilerLineText(std::string_view line) {
  const size_t p = line.find("IN LINE");
  if (p == std::string_view::npos) return {};
  const size_t start = p + 7;
  size_t end = line.find_first_not_of(' ', start);
  if (end == std::string_view::npos || end == start || !IsDigit(line[end])) return {};
  while (end < line.size() && IsDigit(line[end]))
    ++end;
  if (line.substr(end, 4) != " OF ") return {};
  return line.substr(start, end - start);
}

// The file named after "OF", up to the ": " that starts the message text.
std::string_view CompilerFileName(std::string_view line) {
  const size_t of = line.find(" OF ");
  if (of == std::string_view::npos) return {};
  std::string_view name = line.substr(of + 4);
  return name.substr(0, name.find(": "));
}

} // namespace

bool IsLineNumberField(std::string_view text) {
  if (text.empty() || !IsDigit(text.back())) return false;
  return std::all_of(text.begin(), text.end() - 1, [](char c) { return c == ' ' || IsDigit(c); });
}

void BuildMessages::Collect(const std::vector<std::string>& sources, const std::string& mainName) {
  Lines.clear();
  Errors = 0;
  Warnings = 0;
  CompileOK = false;
  for (const std::string& source : sources)
    ParseListFile(source);
  Lines.push_back(Summary());
  if (Errors != 0) return;
  Lines.emplace_back();
  ParseMapFile(mainName);
}

std::string BuildMessages::Summary() const {
  char text[96];
  std::snprintf(text, sizeof text, "COMPILE COMPLETED, %3d WARNING(S), %3d ERROR(S)", Warnings,
                Errors);
  return text;
}

void BuildMessages::ParseListFile(const std::string& source) {
  const std::string name = Paths.ChangeExt(source, ".LST");
  const auto found = FindFileIgnoringCase(name);
  std::ifstream file;
  if (!found || !OpenTextFile(*found, file)) {
    UI.Message(MissingListing);
    ++Errors;
    return;
  }
  ParseListing(file, source);
}

void BuildMessages::ParseListing(std::istream& listing, const std::string& source) {
  TextFileLines lines(listing);
  std::string header;
  if (!lines.ReadLine(header)) return;
  if (header.find(AssemblerTitle) != std::string::npos)
    ReadAssemblerMessages(lines, source);
  else if (header.find(CompilerTitle) != std::string::npos)
    ReadCompilerMessages(lines, source);
}

// An assembler message reports the source line it follows, counted over the
// listed lines of the source itself (an included file's lines carry '=').
// A warning about line 1000 on has digits in the line-number columns; it is
// no source line.
void BuildMessages::ReadAssemblerMessages(TextFileLines& lines, const std::string& source) {
  int counted = 0;
  std::string line;
  while (lines.ReadLine(line)) {
    if (line.size() < ShortestAssemblerLine) continue;
    if (IsLineNumberField(std::string_view(line).substr(LineNumberColumn, 5)) &&
        line[IncludeMarkColumn] != '=' && !IsPageHeader(line) && !IsMessage(line))
      ++counted;
    if (IsMessage(line)) AddMessage(line, source, " " + std::to_string(counted));
  }
}

// A compiler message names its file and line. A message about an included
// file names that file, found from the source's folder; one without a line
// number (a file that could not be opened) gets none.
void BuildMessages::ReadCompilerMessages(TextFileLines& lines, const std::string& source) {
  std::string line;
  while (lines.ReadLine(line)) {
    if (!IsMessage(line)) continue;
    std::string name = source;
    const std::string_view named = CompilerFileName(line);
    if (!named.empty() && !SameIgnoringCase(NamePart(named), NamePart(source))) {
      std::string relative = DecodeText(named).Utf8;
      const size_t dirEnd = source.find_last_of(Paths.DirDelimiters);
      const std::string dir = dirEnd == std::string::npos ? "" : source.substr(0, dirEnd + 1);
      if (Paths.Separator == '/') std::replace(relative.begin(), relative.end(), '\\', '/');
      name = relative.front() == Paths.Separator ? relative : dir + relative;
      if (const auto found = FindFileIgnoringCase(name)) name = found->string();
    }
    AddMessage(line, name, CompilerLineText(line));
  }
}

void BuildMessages::AddMessage(std::string_view line, const std::string& name,
                               std::string_view lineText) {
  const bool error = StartsWith(line, ErrorMark);
  if (error)
    ++Errors;
  else
    ++Warnings;
  const size_t colon = line.find(": ");
  const std::string text =
      DecodeText(colon == std::string_view::npos ? line.substr(1) : line.substr(colon + 2)).Utf8;
  const char* kind = error ? " :ERROR" : " :WARNING";
  if (lineText.empty())
    Lines.push_back(name + kind + ", " + text);
  else
    Lines.push_back(name + kind + " IN (LINE" + std::string(lineText) + "), " + text);
}

void BuildMessages::ParseMapFile(const std::string& mainName) {
  const std::string name = Paths.ChangeExt(mainName, ".M51");
  const auto found = FindFileIgnoringCase(name);
  std::ifstream file;
  if (!found || !OpenTextFile(*found, file)) {
    Lines.emplace_back(MissingMap);
    return;
  }
  ParseMap(file, found->string());
}

// The summary counts the link's errors; a fatal error after it means the
// linker gave up after writing it and wrote no object.
void BuildMessages::ParseMap(std::istream& map, const std::string& mapName) {
  TextFileLines lines(map);
  std::string line;
  while (lines.ReadLine(line)) {
    if (!StartsWith(line, MapSummary)) continue;
    Lines.push_back(DecodeText(line).Utf8);
    // The number before "ERROR(S)": "10 ERROR(S)" holds "0 ERROR" too.
    int count = -1;
    if (const size_t errorWord = line.find("ERROR", MapSummary.size());
        errorWord != std::string::npos) {
      size_t end = errorWord;
      while (end > MapSummary.size() && line[end - 1] == ' ')
        --end;
      size_t start = end;
      while (start > MapSummary.size() && IsDigit(line[start - 1]))
        --start;
      if (start < end) std::from_chars(line.data() + start, line.data() + end, count);
    }
    bool fatal = false;
    while (lines.ReadLine(line))
      if (StartsWith(line, FatalMark)) {
        if (!fatal) Lines.push_back(DecodeText(line).Utf8);
        fatal = true;
      }
    CompileOK = count == 0 && !fatal;
    return;
  }
  Lines.push_back(NoMapSummary + mapName);
}

MessageTarget TargetOfMessage(std::string_view line, std::string_view mapName) {
  MessageTarget target;
  const size_t colon = line.find(" :");
  if (colon != std::string_view::npos) {
    target.FileName = std::string(line.substr(0, colon));
    const size_t open = line.find("(LINE");
    const size_t close = line.find("),");
    if (open != std::string_view::npos && close != std::string_view::npos) {
      const size_t start = open + 5;
      const std::string_view number =
          close > start ? line.substr(start, close - start) : std::string_view();
      const size_t digits = number.find_first_not_of(' ');
      int value = 0;
      const char* first = number.data() + (digits == std::string_view::npos ? 0 : digits);
      const char* last = number.data() + number.size();
      const auto [end, ec] = std::from_chars(first, last, value);
      if (digits == std::string_view::npos || ec != std::errc() || end != last) {
        target.FileName.clear();
        target.Error = "'" + std::string(number) + "' is not a valid integer value";
        return target;
      }
      target.Line = value;
    }
  }
  if (target.FileName.empty() && line.find(MapSummary) != std::string_view::npos)
    target.FileName = std::string(mapName);
  if (!target.FileName.empty())
    if (const auto found = FindFileIgnoringCase(target.FileName)) target.FileName = found->string();
  return target;
}
