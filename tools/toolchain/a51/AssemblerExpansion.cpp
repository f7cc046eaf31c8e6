// The first pass's reading: the lines of the source and of macro expansions
// in order, the branches of IF blocks, and the definitions and calls of
// macros and of REPT, IRP and IRPC blocks.
#include "Assembler.h"

namespace omf51 {

namespace {

constexpr size_t MaxNesting = 64;           // open IFs; expansions inside expansions
constexpr size_t MaxExpandedLines = 100000; // expansion lines of one assembly
constexpr size_t MaxExpandedBytes = 16 * 1024 * 1024;

size_t BytesOf(const std::vector<std::string>& lines) {
  size_t bytes = 0;
  for (const std::string& line : lines)
    bytes += line.size();
  return bytes;
}

bool IsName(const std::vector<Token>& tokens, size_t i) {
  return i < tokens.size() && tokens[i].Type == Token::Kind::Name;
}

bool IsRepeatWord(const std::string& word) {
  return word == "REPT" || word == "IRP" || word == "IRPC";
}

// +1 for a line that opens a block closed by ENDM, -1 for ENDM.
int BlockStep(const std::vector<Token>& tokens) {
  if (!IsName(tokens, 0)) return 0;
  if (IsRepeatWord(tokens[0].Text) || (IsName(tokens, 1) && tokens[1].Text == "MACRO")) return 1;
  return tokens[0].Text == "ENDM" ? -1 : 0;
}

std::vector<Token> TokensOf(const std::string& code) {
  try {
    return Tokenize(code);
  } catch (const AsmFailure&) {
    return {};
  }
}

std::string UpperName(std::string_view text) {
  std::string name;
  for (char c : text)
    if (c != ' ' && c != '\t')
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

bool IsPlainName(const std::string& name) {
  const std::vector<Token> tokens = TokensOf(name);
  return tokens.size() == 1 && tokens[0].Type == Token::Kind::Name;
}

} // namespace

void Assembler::PassOne() {
  StartPass(1);
  Module.Listing.clear();
  Planned.clear();
  JumpChoices.clear();
  while (const auto index = NextLine(0)) {
    if (Ended) continue;
    Plan(*index);
    if (!Ended) continue;
    if (!Conditions.empty()) Planned[*index].Found.push_back(ErrOpenConditional);
    Expansions.clear();
    Conditions.clear();
  }
  if (!Ended && !Conditions.empty()) {
    Module.EndDiagnostics.push_back(ErrOpenConditional);
    ++Module.Errors;
  }
}

// The next line of the innermost expansion, or of the source when none is
// open; expansions at or below floor are not left.
std::optional<size_t> Assembler::NextLine(size_t floor) {
  while (!Expansions.empty()) {
    Expansion& e = Expansions.back();
    if (e.Next < e.Lines.size()) {
      ListedLine line;
      line.Source = e.Source;
      line.Expansion = true;
      line.Text = e.Lines[e.Next++];
      std::string code = line.Text;
      return AddLine(std::move(line), std::move(code));
    }
    if (Expansions.size() <= floor) return std::nullopt;
    EndExpansion();
  }
  if (floor > 0 || NextSource >= Source.Lines.size()) return std::nullopt;
  const SourceLine& s = Source.Lines[NextSource];
  ListedLine line;
  line.Source = static_cast<int>(NextSource++);
  line.Skipped = s.Skipped;
  return AddLine(std::move(line), s.Code);
}

size_t Assembler::AddLine(ListedLine line, std::string code) {
  line.Assembled = !Ended;
  if (Ended) code.clear();
  Module.Listing.push_back(std::move(line));
  Planned.push_back({std::move(code), {}});
  JumpChoices.push_back(0);
  return Module.Listing.size() - 1;
}

void Assembler::EndExpansion() {
  if (Conditions.size() > Expansions.back().Conditions) {
    Planned.back().Found.push_back(ErrOpenConditional);
    Conditions.resize(Expansions.back().Conditions);
  }
  Expansions.pop_back();
}

void Assembler::Plan(size_t index) {
  Current = index;
  Scratch = ListedLine{};
  Listed = &Scratch;
  Listed->Assembled = true;
  PlannedLine& planned = Planned[index];
  const std::vector<Token> tokens = TokensOf(planned.Code);
  const std::string word = IsName(tokens, 0) ? tokens[0].Text : std::string();
  const TokenRange rest{tokens.data() + (tokens.empty() ? 0 : 1), tokens.data() + tokens.size()};
  try {
    if (word == "IF" || word == "ELSEIF" || word == "ELSE" || word == "ENDIF") {
      planned.Code.clear();
      Conditional(word, rest);
      return;
    }
    if (!Active()) {
      Module.Listing[index].Skipped = true;
      planned.Code.clear();
      return;
    }
    if (IsName(tokens, 1) && tokens[1].Text == "MACRO") {
      const std::string code = planned.Code;
      planned.Code.clear();
      DefineMacro(word, TextAfterWords(code, 2), index);
      return;
    }
    if (IsRepeatWord(word)) {
      const std::string code = planned.Code;
      planned.Code.clear();
      Repeat(word, code, tokens, index);
      return;
    }
    if (word == "ENDM" || word == "EXITM" || word == "LOCAL") {
      planned.Code.clear();
      if (!Module.Listing[index].Expansion) throw AsmFailure{ErrMisplacedMacroWord};
      if (word == "ENDM") throw AsmFailure{ErrMisplacedMacroWord};
      if (word == "EXITM") {
        Conditions.resize(Expansions.back().Conditions);
        Expansions.back().Next = Expansions.back().Lines.size();
      }
      return;
    }
    const size_t k = IsName(tokens, 0) && tokens.size() > 1 && tokens[1].Is(':') ? 2 : 0;
    if (IsName(tokens, k)) {
      const auto macro = Macros.find(tokens[k].Text);
      if (macro != Macros.end()) {
        const std::string code = planned.Code;
        // A label before the call names the place where the expansion starts.
        planned.Code = k == 2 ? tokens[0].Text + ":" : std::string();
        try {
          if (!planned.Code.empty()) Statement(planned.Code);
        } catch (const AsmFailure&) {
          // Listed by the second pass.
        }
        if (Expansions.size() >= MaxNesting) throw AsmFailure{ErrNestingTooDeep};
        Expand(macro->second.Expand(SplitArguments(TextAfterWords(code, k + 1)), UniqueNames),
               index);
        return;
      }
    }
  } catch (const AsmFailure& failure) {
    // Reading a body grows Planned, so the reference above may be stale.
    Planned[index].Found.push_back(failure.Error);
    return;
  }
  try {
    Statement(Planned[index].Code);
  } catch (const AsmFailure&) {
    // Listed by the second pass, which meets it again.
  }
}

void Assembler::Conditional(const std::string& word, TokenRange rest) {
  const auto test = [&] {
    const Value v = EvaluateFixed(rest);
    if (!v.IsAbsolute()) throw AsmFailure{ErrRelocatableExpression};
    return v.Number != 0;
  };
  const size_t floor = Expansions.empty() ? 0 : Expansions.back().Conditions;
  if (word == "IF") {
    const bool parent = Active();
    Conditions.push_back({false, true, parent, false});
    if (Conditions.size() > MaxNesting) throw AsmFailure{ErrNestingTooDeep};
    if (!parent) return;
    // An IF whose test fails takes neither branch.
    const bool holds = test();
    Conditions.back().Active = holds;
    Conditions.back().Taken = holds;
    return;
  }
  if (Conditions.size() <= floor) throw AsmFailure{ErrMisplacedConditional};
  Condition& c = Conditions.back();
  if (word == "ENDIF") {
    Conditions.pop_back();
    return;
  }
  if (c.SeenElse) throw AsmFailure{ErrMisplacedConditional};
  const bool wasTaken = c.Taken;
  c.Active = false;
  c.Taken = true;
  if (word == "ELSE") {
    c.SeenElse = true;
    c.Active = c.ParentActive && !wasTaken;
  } else if (c.ParentActive && !wasTaken) {
    // A test that fails takes no branch, not even a later ELSE.
    const bool holds = test();
    c.Active = holds;
    c.Taken = holds;
  }
}

// Reads the lines up to the ENDM that closes the block opened at header; they
// are listed and not assembled.
std::optional<std::vector<std::string>> Assembler::Body(size_t header) {
  const size_t floor = Expansions.size();
  std::vector<std::string> body;
  int depth = 1;
  while (const auto index = NextLine(floor)) {
    std::string code = std::move(Planned[*index].Code);
    Planned[*index].Code.clear();
    depth += BlockStep(TokensOf(code));
    if (depth == 0) return body;
    body.push_back(std::move(code));
  }
  Planned[header].Found.push_back(ErrOpenMacro);
  return std::nullopt;
}

void Assembler::DefineMacro(const std::string& name, std::string_view parameters, size_t header) {
  Macro macro;
  for (const std::string& p : SplitArguments(parameters)) {
    if (!IsPlainName(p)) throw AsmFailure{ErrSyntax};
    macro.Parameters.push_back(UpperName(p));
  }
  auto body = Body(header);
  if (!body) return;
  int depth = 0;
  for (const std::string& line : *body) {
    const std::vector<Token> tokens = TokensOf(line);
    if (depth == 0 && IsName(tokens, 0) && tokens[0].Text == "LOCAL")
      for (const std::string& local : SplitArguments(TextAfterWords(line, 1)))
        if (IsPlainName(local)) macro.Locals.push_back(UpperName(local));
    depth += BlockStep(tokens);
  }
  macro.Body = std::move(*body);
  Macros[name] = std::move(macro);
}

// REPT n, IRP name, <a, b, ...> and IRPC name, text.
void Assembler::Repeat(const std::string& word, const std::string& code,
                       const std::vector<Token>& tokens, size_t header) {
  Macro block;
  std::vector<std::vector<std::string>> rounds;
  if (word == "REPT") {
    const Value count = EvaluateFixed({tokens.data() + 1, tokens.data() + tokens.size()});
    if (!count.IsAbsolute()) throw AsmFailure{ErrRelocatableExpression};
    rounds.resize(count.Number);
  } else {
    const std::string_view rest = TextAfterWords(code, 1);
    const size_t comma = rest.find(',');
    if (comma == std::string_view::npos) throw AsmFailure{ErrSyntax};
    const std::string name(rest.substr(0, comma));
    if (!IsPlainName(name)) throw AsmFailure{ErrSyntax};
    block.Parameters.push_back(UpperName(name));
    const std::string_view list = rest.substr(comma + 1);
    std::vector<std::string> items = SplitArguments(list);
    if (word == "IRP") {
      // <a, b, c> is one argument holding the list.
      if (items.size() == 1 && list.find('<') != std::string_view::npos)
        items = SplitArguments(items[0]);
      for (const std::string& item : items)
        rounds.push_back({item});
    } else {
      for (char c : items.empty() ? std::string() : items[0])
        rounds.push_back({std::string(1, c)});
    }
  }
  auto body = Body(header);
  if (!body) return;
  block.Body = std::move(*body);
  if (rounds.size() * block.Body.size() > MaxExpandedLines - ExpandedLines)
    throw AsmFailure{ErrExpansionTooLong};
  std::vector<std::string> lines;
  size_t bytes = 0;
  for (const std::vector<std::string>& arguments : rounds) {
    std::vector<std::string> round = block.Expand(arguments, UniqueNames);
    bytes += BytesOf(round);
    if (bytes > MaxExpandedBytes - ExpandedBytes) throw AsmFailure{ErrExpansionTooLong};
    lines.insert(lines.end(), round.begin(), round.end());
  }
  Expand(std::move(lines), header);
}

void Assembler::Expand(std::vector<std::string> lines, size_t index) {
  const size_t bytes = BytesOf(lines);
  if (lines.size() > MaxExpandedLines - ExpandedLines || bytes > MaxExpandedBytes - ExpandedBytes)
    throw AsmFailure{ErrExpansionTooLong};
  ExpandedBytes += bytes;
  if (Expansions.size() >= MaxNesting) throw AsmFailure{ErrNestingTooDeep};
  ExpandedLines += lines.size();
  Expansions.push_back({std::move(lines), 0, Module.Listing[index].Source, Conditions.size()});
}

} // namespace omf51
