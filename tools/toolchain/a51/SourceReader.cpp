#include "SourceReader.h"

#include "FileLookup.h"
#include "ToolControls.h"
#include "ToolFiles.h"

#include "AtomicFile.h"

#include <algorithm>
#include <filesystem>

namespace omf51 {

namespace fs = std::filesystem;

namespace {

constexpr int MaxIncludeDepth = 8;

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  const std::string body = bytes.substr(0, bytes.find('\x1A'));
  size_t start = 0;
  while (start < body.size()) {
    size_t end = body.find('\n', start);
    if (end == std::string::npos) end = body.size();
    std::string line = body.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

class Reader {
public:
  Reader(const std::vector<std::string>& includeDirs, SourceText& text)
      : IncludeDirs(includeDirs), Text(text) {}

  bool ReadFile(const fs::path& path, const std::string& givenName, int depth) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    const int file = static_cast<int>(Text.FileNames.size());
    Text.FileNames.push_back(givenName);
    int number = 0;
    for (std::string& line : SplitLines(bytes)) {
      SourceLine entry{std::move(line), file, ++number, depth > 0, std::nullopt};
      const std::string text = entry.Text;
      Text.Lines.push_back(entry);
      if (!text.empty() && text[0] == '$') Control(text.substr(1), path.parent_path(), depth);
    }
    return true;
  }

private:
  void Control(const std::string& text, const fs::path& dir, int depth) {
    const size_t index = Text.Lines.size() - 1;
    for (const ToolControl& control : ParseControls(text)) {
      if (control.Name == "INCLUDE" || control.Name == "INC") {
        Include(control.Argument.value_or(""), dir, depth, index);
      } else if (control.Name == "NOMOD51") {
        Text.PredefinedNames = false;
      } else if (control.Name == "MOD51" || control.Name == "MOD52") {
        Text.PredefinedNames = true;
      } else if (!IsListingControl(control.Name)) {
        Text.Lines[index].Diagnostic = WarnUnknownControl;
      }
    }
  }

  static bool IsListingControl(const std::string& name) {
    static const char* const Known[] = {
        "TITLE",   "TT",        "NOLIST", "LIST",      "EJECT",  "EJ",     "PAGELENGTH",
        "PL",      "PAGEWIDTH", "PW",     "NOPAGING",  "PAGING", "DEBUG",  "DB",
        "NODEBUG", "SYMBOLS",   "SB",     "NOSYMBOLS", "XREF",   "XR",     "NOXREF",
        "DATE",    "DA",        "EP",     "GEN",       "NOGEN",  "GENONLY"};
    return std::any_of(std::begin(Known), std::end(Known),
                       [&name](const char* k) { return name == k; });
  }

  void Include(const std::string& name, const fs::path& dir, int depth, size_t index) {
    if (depth + 1 > MaxIncludeDepth) {
      Text.Lines[index].Diagnostic = ErrIncludeNesting;
      return;
    }
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::vector<fs::path> candidates = {dir / slashed, fs::path(slashed)};
    for (const std::string& d : IncludeDirs)
      candidates.push_back(fs::path(d) / slashed);
    for (const fs::path& candidate : candidates) {
      if (slashed.empty()) break;
      if (auto found = FindFileIgnoringCase(candidate))
        if (ReadFile(*found, name, depth + 1)) return;
    }
    Text.Lines[index].Diagnostic = ErrIncludeFile;
  }

  const std::vector<std::string>& IncludeDirs;
  SourceText& Text;
};

} // namespace

bool ReadSource(const std::string& mainName, const std::vector<std::string>& includeDirs,
                SourceText& text) {
  const auto found = FindFileIgnoringCase(fs::path(mainName));
  return found && Reader(includeDirs, text).ReadFile(*found, mainName, 0);
}

} // namespace omf51
