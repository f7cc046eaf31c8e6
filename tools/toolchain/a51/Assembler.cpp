#include "Assembler.h"

#include "PredefinedSymbols.h"

namespace omf51 {

namespace {

// Content runs are cut at statement boundaries once they reach this size, so
// records stay small.
constexpr size_t RunLimit = 1024;

// A hostile source could make millions of messages: past this many the
// listing notes that it shows no more, while the summary counts them all.
constexpr size_t MaxListedMessages = 1000;

} // namespace

Assembler::Assembler(const SourceText& source, std::string defaultModuleName, int registerBank)
    : Source(source), RegisterBank(registerBank) {
  Module.Name = std::move(defaultModuleName);
  Module.RegisterMask = static_cast<uint8_t>(1 << (registerBank & 3));
}

AsmModule Assembler::Run() {
  PassOne();
  PassTwo();
  for (AsmSegment& s : Module.Segments)
    s.Size = s.Size > s.Location ? s.Size : s.Location;
  if (!Ended) {
    Module.EndDiagnostics.push_back(WarnMissingEnd);
    ++Module.Warnings;
  }
  return std::move(Module);
}

void Assembler::StartPass(int pass) {
  PassNumber = pass;
  Ended = false;
  CurrentSegment = -1;
  AbsoluteType = MemCode;
  AbsoluteLocation.fill(0);
  OpenBlock.fill(-1);
  Bank = RegisterBank & 3;
  for (AsmSegment& s : Module.Segments)
    s.Location = 0;
}

void Assembler::PassTwo() {
  StartPass(2);
  for (size_t i = 0; i < Module.Listing.size(); ++i) {
    Current = i;
    Listed = &Module.Listing[i];
    if (!Listed->Expansion)
      for (AsmError e : Source.Lines[static_cast<size_t>(Listed->Source)].Diagnostics)
        Report(e);
    for (AsmError e : Planned[i].Found)
      Report(e);
    if (!Listed->Assembled || Planned[i].Code.empty()) continue;
    try {
      Statement(Planned[i].Code);
    } catch (const AsmFailure& failure) {
      Report(failure.Error);
    }
  }
}

void Assembler::Report(AsmError error) {
  if (PassNumber != 2) return;
  ++(IsWarning(error) ? Module.Warnings : Module.Errors);
  if (ListedMessages > MaxListedMessages) return;
  if (++ListedMessages > MaxListedMessages) {
    Listed->Diagnostics.push_back(WarnTooManyMessages);
    ++Module.Warnings;
    return;
  }
  Listed->Diagnostics.push_back(error);
}

void Assembler::Statement(const std::string& code) {
  const std::vector<Token> tokens = Tokenize(code);
  if (tokens.empty()) return;
  const Token* begin = tokens.data();
  const Token* end = begin + tokens.size();
  const auto isName = [&](size_t i) {
    return i < tokens.size() && tokens[i].Type == Token::Kind::Name;
  };
  if (isName(0) && isName(1) && DefiningDirective(tokens[0].Text, tokens[1].Text, {begin + 2, end}))
    return;
  size_t k = 0;
  if (isName(0) && tokens.size() > 1 && tokens[1].Is(':')) {
    ShowLocation();
    DefineLabel(tokens[0].Text);
    k = 2;
  }
  if (k == tokens.size()) return;
  if (!isName(k)) throw AsmFailure{ErrSyntax};
  const std::string& keyword = tokens[k].Text;
  const TokenRange rest{begin + k + 1, end};
  if (Directive(keyword, rest)) return;
  Instruction(keyword, rest);
}

Value Assembler::SymbolValue(const std::string& name) {
  const auto it = Module.Symbols.find(name);
  if (it != Module.Symbols.end() && it->second.DefinedAt >= 0) {
    const Symbol& s = it->second;
    if (s.DefinedAt > static_cast<int>(Current)) UsedForward = true;
    switch (s.Type) {
    case Symbol::Kind::Register: throw AsmFailure{ErrBadOperand};
    case Symbol::Kind::Segment: {
      Value v;
      v.Base = Value::BaseKind::Segment;
      v.BaseId = s.SegmentIndex + 1;
      v.NamesSegment = true;
      v.Type = Module.Segments[static_cast<size_t>(s.SegmentIndex)].Type;
      return v;
    }
    default: return s.Val;
    }
  }
  if (it == Module.Symbols.end() || it->second.DefinedAt < 0) {
    // AR0-AR7: the direct addresses of the registers of the bank named by USING.
    if (name.size() == 3 && name[0] == 'A' && name[1] == 'R' && name[2] >= '0' && name[2] <= '7')
      return Value::Absolute(static_cast<uint16_t>(Bank * 8 + (name[2] - '0')), MemData);
    if (Source.PredefinedNames)
      if (auto p = FindPredefinedSymbol(name))
        return Value::Absolute(p->Address, p->IsBit ? MemBit : MemData);
  }
  UsedForward = true;
  if (PassNumber == 1) return Value::Unknown();
  throw AsmFailure{ErrUndefinedSymbol};
}

Value Assembler::LocationCounter() {
  Value v = Value::Absolute(static_cast<uint16_t>(CurrentLocation()), CurrentType());
  if (CurrentSegment >= 0) {
    v.Base = Value::BaseKind::Segment;
    v.BaseId = CurrentSegmentId();
  }
  return v;
}

Symbol& Assembler::Define(const std::string& name, Symbol::Kind kind, const Value& value) {
  auto [it, added] = Module.Symbols.try_emplace(name);
  Symbol& s = it->second;
  const bool redefinable = kind == Symbol::Kind::Variable && s.Type == Symbol::Kind::Variable;
  if (s.DefinedAt >= 0 && s.DefinedAt != static_cast<int>(Current) && !redefinable)
    throw AsmFailure{ErrRedefinedSymbol};
  if (PassNumber == 2 && kind == Symbol::Kind::Label && s.DefinedAt == static_cast<int>(Current) &&
      s.Val.Number != value.Number)
    Report(ErrPhase);
  s.Name = name;
  s.Type = kind;
  s.Val = value;
  if (s.DefinedAt < 0 || !redefinable) s.DefinedAt = static_cast<int>(Current);
  return s;
}

void Assembler::DefineLabel(const std::string& name) {
  Define(name, Symbol::Kind::Label, LocationCounter());
}

MemoryType Assembler::CurrentType() const {
  return CurrentSegment < 0 ? AbsoluteType
                            : Module.Segments[static_cast<size_t>(CurrentSegment)].Type;
}

uint32_t& Assembler::CurrentLocation() {
  return CurrentSegment < 0 ? AbsoluteLocation[AbsoluteType]
                            : Module.Segments[static_cast<size_t>(CurrentSegment)].Location;
}

// A value that decides a place or a size: it must be a known number, fixed
// before this statement.
Value Assembler::EvaluateFixed(TokenRange range) {
  UsedForward = false;
  Value v = Evaluate(range, *this);
  if (UsedForward || !v.Known) throw AsmFailure{ErrForwardReference};
  return v;
}

void Assembler::SetLocation(uint32_t location) {
  CurrentLocation() = location;
  if (CurrentSegment < 0) OpenBlock[AbsoluteType] = -1;
}

void Assembler::Advance(uint32_t size) {
  uint32_t& location = CurrentLocation();
  const uint32_t limit = CurrentType() == MemBit ? 0x100 : 0x10000;
  if (location + size > limit) throw AsmFailure{ErrAddressOverflow};
  if (PassNumber == 2 && CurrentSegment < 0 && size > 0) {
    int& open = OpenBlock[AbsoluteType];
    if (open < 0) {
      open = static_cast<int>(Module.AbsoluteBlocks.size());
      Module.AbsoluteBlocks.push_back({AbsoluteType, static_cast<uint16_t>(location), 0});
    }
    AbsoluteBlock& block = Module.AbsoluteBlocks[static_cast<size_t>(open)];
    if (location + size - block.Base > block.Size) block.Size = location + size - block.Base;
  }
  location += size;
  if (CurrentSegment >= 0) {
    AsmSegment& s = Module.Segments[static_cast<size_t>(CurrentSegment)];
    if (location > s.Size) s.Size = location;
  }
}

void Assembler::ShowLocation() {
  Listed->Show = ListedLine::Field::Location;
  Listed->Number = static_cast<uint16_t>(CurrentLocation());
}

void Assembler::Emit(const Encoded& code) {
  if (CurrentType() != MemCode) throw AsmFailure{ErrWrongSegment};
  const uint32_t start = CurrentLocation();
  if (start + code.Bytes.size() > 0x10000) throw AsmFailure{ErrAddressOverflow};
  if (PassNumber == 2 && !code.Bytes.empty()) {
    const int id = CurrentSegment < 0 ? 0 : CurrentSegmentId();
    std::vector<CodeRun>& runs = Module.Runs;
    if (runs.empty() || runs.back().SegmentId != id ||
        runs.back().Start + runs.back().Bytes.size() != start ||
        runs.back().Bytes.size() >= RunLimit)
      runs.push_back(CodeRun{id, static_cast<uint16_t>(start), {}, {}, {}});
    CodeRun& run = runs.back();
    const uint16_t offset = static_cast<uint16_t>(run.Bytes.size());
    for (AsmFixup f : code.Fixups) {
      f.At = static_cast<uint16_t>(f.At + offset);
      run.Fixups.push_back(f);
    }
    run.Bytes.insert(run.Bytes.end(), code.Bytes.begin(), code.Bytes.end());
    run.Lines.emplace_back(offset, Listed->Source + 1);
    Listed->Bytes.insert(Listed->Bytes.end(), code.Bytes.begin(), code.Bytes.end());
    Listed->HasFixup = Listed->HasFixup || !code.Fixups.empty();
  }
  Advance(static_cast<uint32_t>(code.Bytes.size()));
}

} // namespace omf51
