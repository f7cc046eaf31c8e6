#include "Assembler.h"

#include <algorithm>
#include <iterator>

namespace omf51 {

namespace {

bool IsDirectiveWord(const std::string& word) {
  static const char* const Words[] = {"ORG",  "DB",    "DW",     "DS",    "DBIT",   "END",
                                      "NAME", "USING", "CSEG",   "DSEG",  "XSEG",   "ISEG",
                                      "BSEG", "RSEG",  "PUBLIC", "EXTRN", "EXTERN", "CALL"};
  return std::any_of(std::begin(Words), std::end(Words),
                     [&word](const char* w) { return word == w; });
}

std::optional<MemoryType> MemoryTypeWord(const Token& t, bool allowNumber) {
  if (t.IsName("CODE")) return MemCode;
  if (t.IsName("XDATA")) return MemXData;
  if (t.IsName("DATA")) return MemData;
  if (t.IsName("IDATA")) return MemIData;
  if (t.IsName("BIT")) return MemBit;
  if (allowNumber && t.IsName("NUMBER")) return MemNumber;
  return std::nullopt;
}

const std::string& SingleName(TokenRange range) {
  if (range.Size() != 1 || range.Begin->Type != Token::Kind::Name) throw AsmFailure{ErrSyntax};
  return range.Begin->Text;
}

} // namespace

bool Assembler::Directive(const std::string& keyword, TokenRange rest) {
  if (keyword == "ORG") {
    const Value v = EvaluateFixed(rest);
    const bool here = v.Base == Value::BaseKind::Segment && !v.NamesSegment &&
                      CurrentSegment >= 0 && v.BaseId == CurrentSegmentId();
    if (!v.IsAbsolute() && !here) throw AsmFailure{ErrRelocatableExpression};
    SetLocation(v.Number);
    ShowLocation();
  } else if (keyword == "DB" || keyword == "DW") {
    ShowLocation();
    DataList(rest, keyword == "DW");
  } else if (keyword == "DS" || keyword == "DBIT") {
    ShowLocation();
    Reserve(rest, keyword == "DBIT");
  } else if (keyword == "END") {
    if (!rest.Empty()) throw AsmFailure{ErrSyntax};
    Ended = true;
  } else if (keyword == "NAME") {
    Module.Name = SingleName(rest);
  } else if (keyword == "USING") {
    Using(rest);
  } else if (keyword == "CSEG" || keyword == "DSEG" || keyword == "XSEG" || keyword == "ISEG" ||
             keyword == "BSEG") {
    const MemoryType type = keyword == "CSEG"   ? MemCode
                            : keyword == "DSEG" ? MemData
                            : keyword == "XSEG" ? MemXData
                            : keyword == "ISEG" ? MemIData
                                                : MemBit;
    SelectAbsolute(type, rest);
  } else if (keyword == "RSEG") {
    SelectRelocatable(rest);
  } else if (keyword == "PUBLIC") {
    Publics(rest);
  } else if (keyword == "EXTRN" || keyword == "EXTERN") {
    Externals(rest);
  } else {
    return false;
  }
  return true;
}

bool Assembler::DefiningDirective(const std::string& name, const std::string& keyword,
                                  TokenRange rest) {
  static const char* const Words[] = {"EQU",   "SET", "DATA", "IDATA",
                                      "XDATA", "BIT", "CODE", "SEGMENT"};
  if (std::none_of(std::begin(Words), std::end(Words),
                   [&keyword](const char* w) { return keyword == w; }) ||
      IsDirectiveWord(name) || IsMnemonic(name))
    return false;
  if (keyword == "SEGMENT") {
    DefineSegment(name, rest);
    return true;
  }
  if (keyword == "EQU" || keyword == "SET") {
    const Operand op = ParseOperand(rest);
    using K = Operand::Kind;
    if (op.Type == K::A || op.Type == K::AB || op.Type == K::C || op.Type == K::DPTR ||
        op.Type == K::Rn) {
      Symbol& s = Define(name, Symbol::Kind::Register, Value{});
      s.RegisterKind = op.Type;
      s.RegisterNumber = op.Register;
      return true;
    }
  }
  UsedForward = false;
  Value v = Evaluate(rest, *this);
  if (keyword == "DATA" || keyword == "IDATA") {
    if (v.Known && v.IsAbsolute() && v.Number > 0xFF) throw AsmFailure{ErrValueOutOfRange};
    v.Type = keyword == "DATA" ? MemData : MemIData;
  } else if (keyword == "XDATA") {
    v.Type = MemXData;
  } else if (keyword == "CODE") {
    v.Type = MemCode;
  } else if (keyword == "BIT") {
    if (v.Known && v.IsAbsolute() && v.Number > 0xFF) throw AsmFailure{ErrBitAddress};
    if (v.Known && !v.IsAbsolute() && v.Type != MemBit) throw AsmFailure{ErrBitAddress};
    v.Type = MemBit;
  }
  Define(name, keyword == "SET" ? Symbol::Kind::Variable : Symbol::Kind::Constant, v);
  Listed->Show = ListedLine::Field::Value;
  Listed->Number = v.Number;
  return true;
}

void Assembler::DataList(TokenRange rest, bool words) {
  if (rest.Empty()) throw AsmFailure{ErrSyntax};
  Encoded code;
  for (TokenRange item : SplitAtCommas(rest)) {
    const Token& first = *item.Begin;
    if (!words && item.Size() == 1 && first.Type == Token::Kind::String) {
      if (first.Bad || first.Text.empty()) throw AsmFailure{ErrString};
      code.Bytes.insert(code.Bytes.end(), first.Text.begin(), first.Text.end());
      continue;
    }
    const Value v = Evaluate(item, *this);
    if (words)
      PutWord(code, v);
    else
      PutByte(code, v, FixByte, true);
  }
  Emit(code);
}

void Assembler::Reserve(TokenRange rest, bool bits) {
  if ((CurrentType() == MemBit) != bits) throw AsmFailure{ErrWrongSegment};
  const Value v = EvaluateFixed(rest);
  if (!v.IsAbsolute()) throw AsmFailure{ErrRelocatableExpression};
  Advance(v.Number);
}

void Assembler::SelectAbsolute(MemoryType type, TokenRange rest) {
  CurrentSegment = -1;
  AbsoluteType = type;
  Listed->Show = ListedLine::Field::SegmentSelect;
  if (rest.Empty()) return;
  if (!rest.Begin->IsName("AT")) throw AsmFailure{ErrSyntax};
  const Value v = EvaluateFixed({rest.Begin + 1, rest.End});
  if (!v.IsAbsolute()) throw AsmFailure{ErrRelocatableExpression};
  if (type == MemBit && v.Number > 0xFF) throw AsmFailure{ErrBitAddress};
  SetLocation(v.Number);
}

void Assembler::SelectRelocatable(TokenRange rest) {
  const auto it = Module.Symbols.find(SingleName(rest));
  if (it == Module.Symbols.end() || it->second.Type != Symbol::Kind::Segment ||
      it->second.DefinedAt < 0)
    throw AsmFailure{ErrUndefinedSegment};
  CurrentSegment = it->second.SegmentIndex;
  Listed->Show = ListedLine::Field::SegmentSelect;
}

void Assembler::DefineSegment(const std::string& name, TokenRange rest) {
  if (rest.Empty() || rest.Size() > 2) throw AsmFailure{ErrSyntax};
  const auto type = MemoryTypeWord(*rest.Begin, false);
  if (!type) throw AsmFailure{ErrSyntax};
  uint8_t relocation = RelUnit;
  bool overlayable = false;
  if (rest.Size() == 2) {
    const Token& word = rest.Begin[1];
    if (word.IsName("UNIT"))
      relocation = RelUnit;
    else if (word.IsName("PAGE"))
      relocation = RelPage;
    else if (word.IsName("INPAGE"))
      relocation = RelInPage;
    else if (word.IsName("INBLOCK"))
      relocation = RelInBlock;
    else if (word.IsName("BITADDRESSABLE") && *type == MemData)
      relocation = RelBitAddressable;
    else if (word.IsName("OVERLAYABLE"))
      overlayable = true;
    else
      throw AsmFailure{ErrSyntax};
  }
  Symbol& s = Define(name, Symbol::Kind::Segment, Value{});
  if (s.SegmentIndex < 0) {
    s.SegmentIndex = static_cast<int>(Module.Segments.size());
    Module.Segments.push_back({name, *type, relocation, overlayable, 0, 0});
  }
}

void Assembler::Publics(TokenRange rest) {
  if (rest.Empty()) throw AsmFailure{ErrSyntax};
  for (TokenRange item : SplitAtCommas(rest)) {
    const std::string& name = SingleName(item);
    Symbol& s = Module.Symbols[name];
    s.Name = name;
    s.Public = true;
    if (PassNumber == 1) {
      if (std::find(Module.Publics.begin(), Module.Publics.end(), name) == Module.Publics.end())
        Module.Publics.push_back(name);
      continue;
    }
    if (s.DefinedAt < 0) throw AsmFailure{ErrUndefinedSymbol};
    // A public symbol is a place in a segment or a number; the object format
    // has no way to export one derived from an external or a byte part.
    if (s.Type == Symbol::Kind::External || s.Type == Symbol::Kind::Segment ||
        s.Type == Symbol::Kind::Register || s.Val.Base == Value::BaseKind::External ||
        s.Val.Selected != Value::Part::Whole || s.Val.BitOfByte)
      throw AsmFailure{ErrExternalNotAllowed};
  }
}

void Assembler::Externals(TokenRange rest) {
  if (rest.Empty()) throw AsmFailure{ErrSyntax};
  for (TokenRange group : SplitAtCommas(rest)) {
    if (group.Size() < 4 || !group.Begin[1].Is('(') || !group.End[-1].Is(')'))
      throw AsmFailure{ErrSyntax};
    const auto type = MemoryTypeWord(*group.Begin, true);
    if (!type) throw AsmFailure{ErrSyntax};
    for (TokenRange item : SplitAtCommas({group.Begin + 2, group.End - 1})) {
      const std::string& name = SingleName(item);
      const auto it = Module.Symbols.find(name);
      if (it != Module.Symbols.end() && it->second.DefinedAt == static_cast<int>(Current) &&
          it->second.Type == Symbol::Kind::External)
        continue;
      Value v;
      v.Base = Value::BaseKind::External;
      v.BaseId = static_cast<int>(Module.Externals.size());
      v.Type = *type;
      Define(name, Symbol::Kind::External, v);
      Module.Externals.push_back({name, *type});
    }
  }
}

void Assembler::Using(TokenRange rest) {
  const Value v = EvaluateFixed(rest);
  if (!v.IsAbsolute() || v.Number > 3) throw AsmFailure{ErrRegisterBank};
  Bank = v.Number;
  Module.RegisterMask = static_cast<uint8_t>(Module.RegisterMask | 1 << Bank);
}

} // namespace omf51
