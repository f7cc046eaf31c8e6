#include "SourceReader.h"

#include "Comments.h"
#include "Defines.h"
#include "Expression.h"
#include "FileLookup.h"
#include "ToolControls.h"
#include "ToolFiles.h"

#include "AtomicFile.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace omf51 {

namespace fs = std::filesystem;

namespace {

constexpr int MaxIncludeDepth = 8;
constexpr int MaxConditionDepth = 64;
constexpr size_t MaxSourceLines = 1000000;
// No real source comes near this; a bigger file is not read into memory.
constexpr uintmax_t MaxFileSize = 64 * 1024 * 1024;

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

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// The words of $IF and #if conditions: $SET names, or what #define left.
// Names without a value count as 0.
class ConditionScope : public SymbolScope {
public:
  explicit ConditionScope(const std::map<std::string, uint16_t>& names) : Names(names) {}
  Value SymbolValue(const std::string& name) override {
    const auto it = Names.find(name);
    return Value::Absolute(it == Names.end() ? 0 : it->second);
  }
  Value LocationCounter() override { throw AsmFailure{ErrSyntax}; }

private:
  const std::map<std::string, uint16_t>& Names;
};

uint16_t EvaluateCondition(const std::string& text, const std::map<std::string, uint16_t>& names) {
  const std::vector<Token> tokens = Tokenize(text);
  ConditionScope scope(names);
  const Value v = Evaluate({tokens.data(), tokens.data() + tokens.size()}, scope);
  if (!v.IsAbsolute()) throw AsmFailure{ErrRelocatableExpression};
  return v.Number;
}

// One open $IF or #if.
struct Condition {
  char Kind = '$'; // '$' or '#': each closes its own kind
  bool Active = false;
  bool Taken = false; // a branch of it was (or is being) assembled
  bool ParentActive = false;
  bool SeenElse = false;
};

class Reader {
public:
  Reader(const std::vector<std::string>& includeDirs, SourceText& text)
      : IncludeDirs(includeDirs), Text(text) {}

  bool ReadFile(const fs::path& path, const std::string& givenName, int depth) {
    std::string bytes;
    std::error_code ec;
    const uintmax_t size = fs::file_size(path, ec);
    if (ec || size > MaxFileSize || !ReadWholeFile(path, bytes)) return false;
    const int file = static_cast<int>(Text.FileNames.size());
    Text.FileNames.push_back(givenName);
    OpenFiles.push_back(fs::weakly_canonical(path, ec));
    bool inComment = false;
    int number = 0;
    for (std::string& line : SplitLines(bytes)) {
      if (Full) break;
      SourceLine entry;
      entry.Text = std::move(line);
      entry.File = file;
      entry.FileLine = ++number;
      entry.Included = depth > 0;
      entry.NoCond = NoCond;
      entry.NoList = NoList;
      const std::string code = StripComments(entry.Text, inComment);
      Text.Lines.push_back(std::move(entry));
      try {
        Line(code, path.parent_path(), depth);
      } catch (const AsmFailure& failure) {
        Text.Lines.back().Diagnostics.push_back(failure.Error);
      }
      if (Text.Lines.size() >= MaxSourceLines && !Full) {
        Full = true;
        Text.Lines.back().Diagnostics.push_back(ErrSourceTooLong);
      }
    }
    OpenFiles.pop_back();
    return true;
  }

  void Finish() {
    if (!Conditions.empty() && !Text.Lines.empty())
      Text.Lines.back().Diagnostics.push_back(ErrOpenConditional);
  }

private:
  bool Active() const { return Conditions.empty() || Conditions.back().Active; }
  SourceLine& Last() { return Text.Lines.back(); }

  void Line(const std::string& code, const fs::path& dir, int depth) {
    const std::string trimmed = Trimmed(code);
    // Controls start in the first column.
    if (!code.empty() && code[0] == '$' && !Last().Text.empty() && Last().Text[0] == '$') {
      Control(code.substr(1), dir, depth);
    } else if (!trimmed.empty() && trimmed[0] == '#') {
      Preprocessor(trimmed.substr(1), dir, depth);
    } else if (!Active()) {
      Last().Skipped = true;
    } else {
      auto substituted = Definitions.Substitute(code);
      if (!substituted) throw AsmFailure{ErrExpansionTooLong};
      Last().Code = std::move(*substituted);
    }
  }

  // Conditional words shared by $IF and #if. Returns false for other words.
  bool Conditional(char kind, const std::string& word, const std::string& rest,
                   bool (Reader::*test)(const std::string&)) {
    if (word == "IF" || word == "if" || word == "ifdef" || word == "ifndef") {
      const bool parent = Active();
      Condition c{kind, false, false, parent, false};
      if (Conditions.size() >= MaxConditionDepth) {
        c.Taken = true;
        Conditions.push_back(c);
        throw AsmFailure{ErrNestingTooDeep};
      }
      // The branch is pushed before its test runs, so a failed test leaves
      // the nesting balanced.
      Conditions.push_back(c);
      if (parent) {
        const bool holds = (this->*test)(rest);
        Conditions.back().Active = holds;
        Conditions.back().Taken = holds;
      }
      return true;
    }
    const bool elseIf = word == "ELSEIF" || word == "elif";
    const bool otherwise = word == "ELSE" || word == "else";
    const bool end = word == "ENDIF" || word == "endif";
    if (!elseIf && !otherwise && !end) return false;
    if (Conditions.empty() || Conditions.back().Kind != kind)
      throw AsmFailure{ErrMisplacedConditional};
    Condition& c = Conditions.back();
    if (end) {
      Conditions.pop_back();
      return true;
    }
    if (c.SeenElse) throw AsmFailure{ErrMisplacedConditional};
    c.Active = false;
    if (otherwise) {
      c.SeenElse = true;
      c.Active = c.ParentActive && !c.Taken;
      c.Taken = true;
    } else if (c.ParentActive && !c.Taken) {
      c.Active = (this->*test)(rest);
      c.Taken = c.Active;
    }
    return true;
  }

  bool ControlTest(const std::string& expression) {
    return EvaluateCondition(expression, SetNames) != 0;
  }
  bool PreprocessorTest(const std::string& expression) {
    const auto text = Definitions.SubstituteCondition(expression);
    if (!text) throw AsmFailure{ErrPreprocessor};
    return EvaluateCondition(*text, {}) != 0;
  }
  bool DefinedTest(const std::string& name) { return Definitions.IsDefined(Trimmed(name)); }
  bool UndefinedTest(const std::string& name) { return !Definitions.IsDefined(Trimmed(name)); }

  void Control(const std::string& text, const fs::path& dir, int depth) {
    const std::string trimmed = Trimmed(text);
    const size_t wordEnd = std::min(trimmed.find_first_of(" \t("), trimmed.size());
    const std::string word = UpperCase(trimmed.substr(0, wordEnd));
    if (Conditional('$', word, trimmed.substr(wordEnd), &Reader::ControlTest)) return;
    if (!Active()) {
      Last().Skipped = true;
      return;
    }
    for (const ToolControl& control : ParseControls(text)) {
      const std::string& name = control.Name;
      const std::string argument = control.Argument.value_or("");
      if (name == "INCLUDE" || name == "INC") {
        Include(argument, dir, depth);
      } else if (name == "NOMOD51") {
        Text.PredefinedNames = false;
      } else if (name == "MOD51" || name == "MOD52") {
        Text.PredefinedNames = true;
      } else if (name == "SET" || name == "RESET") {
        SetOrReset(argument, name == "SET");
      } else if (name == "NOCOND" || name == "COND") {
        NoCond = name == "NOCOND";
      } else if (name == "NOLIST" || name == "LIST") {
        NoList = name == "NOLIST";
      } else if (name == "DEBUG" || name == "DB" || name == "NODEBUG" || name == "NODB") {
        Text.Debug = name == "DEBUG" || name == "DB";
      } else if (name == "TITLE" || name == "TT") {
        Text.Title = argument.size() >= 2 && argument.front() == '\'' && argument.back() == '\''
                         ? argument.substr(1, argument.size() - 2)
                         : argument;
      } else if (!IsListingControl(name)) {
        Last().Diagnostics.push_back(WarnUnknownControl);
      }
    }
  }

  // $SET (A, B = 3) gives A the value 0FFFFH and B 3; $RESET (A) gives A 0.
  void SetOrReset(const std::string& argument, bool set) {
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t comma; (comma = argument.find(',', start)) != std::string::npos; start = comma + 1)
      items.push_back(argument.substr(start, comma - start));
    items.push_back(argument.substr(start));
    for (const std::string& item : items) {
      const size_t equals = item.find('=');
      const std::string name = UpperCase(Trimmed(item.substr(0, equals)));
      if (name.empty() || NameAt(name, 0).size() != name.size()) throw AsmFailure{ErrSyntax};
      uint16_t value = set ? 0xFFFF : 0;
      if (equals != std::string::npos) {
        if (!set) throw AsmFailure{ErrSyntax};
        value = EvaluateCondition(item.substr(equals + 1), SetNames);
      }
      SetNames[name] = value;
    }
  }

  void Preprocessor(const std::string& text, const fs::path& dir, int depth) {
    const std::string line = Trimmed(text);
    const size_t wordEnd = std::min(line.find_first_of(" \t(\"<"), line.size());
    const std::string word = line.substr(0, wordEnd);
    const std::string rest = Trimmed(line.substr(wordEnd));
    bool (Reader::*test)(const std::string&) = &Reader::PreprocessorTest;
    if (word == "ifdef") test = &Reader::DefinedTest;
    if (word == "ifndef") test = &Reader::UndefinedTest;
    if (Conditional('#', word, rest, test)) return;
    if (!Active()) {
      Last().Skipped = true;
      return;
    }
    if (word == "include") {
      const char close = rest.empty() ? 0 : rest[0] == '<' ? '>' : rest[0] == '"' ? '"' : 0;
      const size_t end = close ? rest.find(close, 1) : std::string::npos;
      if (end == std::string::npos || end == 1) throw AsmFailure{ErrPreprocessor};
      Include(rest.substr(1, end - 1), dir, depth);
    } else if (word == "define") {
      const std::string_view name = NameAt(rest, 0);
      // Only object-like names: NAME(x) would be a function-like macro.
      if (name.empty() || (name.size() < rest.size() && rest[name.size()] == '('))
        throw AsmFailure{ErrPreprocessor};
      Definitions.Define(std::string(name), Trimmed(rest.substr(name.size())));
    } else if (word == "undef") {
      if (NameAt(rest, 0).size() != rest.size() || rest.empty()) throw AsmFailure{ErrPreprocessor};
      Definitions.Undefine(rest);
    } else if (word == "error") {
      throw AsmFailure{ErrPreprocessor};
    } else {
      Last().Diagnostics.push_back(WarnUnknownControl);
    }
  }

  // Controls that change nothing in this assembler's output but are valid.
  static bool IsListingControl(const std::string& name) {
    static const char* const Known[] = {
        "EJECT",    "EJ",           "PAGELENGTH", "PL",         "PAGEWIDTH",    "PW",
        "NOPAGING", "PAGING",       "SYMBOLS",    "SB",         "NOSYMBOLS",    "XREF",
        "XR",       "NOXREF",       "DATE",       "DA",         "EP",           "GEN",
        "NOGEN",    "GENONLY",      "NOLINES",    "LINES",      "NOMACRO",      "MACRO",
        "NOAMAKE",  "REGISTERBANK", "RB",         "ERRORPRINT", "NOERRORPRINT", "NOEP",
        "OBJECT",   "OJ",           "NOOBJECT",   "PRINT",      "PR",           "NOPRINT"};
    return std::any_of(std::begin(Known), std::end(Known),
                       [&name](const char* k) { return name == k; });
  }

  void Include(const std::string& name, const fs::path& dir, int depth) {
    if (depth + 1 > MaxIncludeDepth) throw AsmFailure{ErrIncludeNesting};
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed.empty()) throw AsmFailure{ErrIncludeFile};
    std::vector<fs::path> candidates = {dir / slashed, fs::path(slashed)};
    for (const std::string& d : IncludeDirs)
      candidates.push_back(fs::path(d) / slashed);
    for (const fs::path& candidate : candidates) {
      const auto found = FindFileIgnoringCase(candidate);
      if (!found) continue;
      std::error_code ec;
      if (std::find(OpenFiles.begin(), OpenFiles.end(), fs::weakly_canonical(*found, ec)) !=
          OpenFiles.end())
        throw AsmFailure{ErrRecursiveInclude};
      if (ReadFile(*found, name, depth + 1)) return;
    }
    throw AsmFailure{ErrIncludeFile};
  }

  const std::vector<std::string>& IncludeDirs;
  SourceText& Text;
  std::vector<fs::path> OpenFiles; // the files being read, outermost first
  std::vector<Condition> Conditions;
  std::map<std::string, uint16_t> SetNames;
  Defines Definitions;
  bool NoCond = false;
  bool NoList = false;
  bool Full = false; // the line limit was reached
};

} // namespace

bool ReadSource(const std::string& mainName, const std::vector<std::string>& includeDirs,
                SourceText& text) {
  const auto found = FindFileIgnoringCase(fs::path(mainName));
  if (!found) return false;
  Reader reader(includeDirs, text);
  if (!reader.ReadFile(*found, mainName, 0)) return false;
  reader.Finish();
  return true;
}

} // namespace omf51
