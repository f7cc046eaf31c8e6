#include "Expression.h"

#include "AsmError.h"

namespace omf51 {

namespace {

// Deeper nesting of parentheses and prefix operators is refused, so a hostile
// line cannot exhaust the stack.
constexpr int MaxNesting = 100;

constexpr uint16_t True = 0xFFFF;

class Parser {
public:
  Parser(TokenRange range, SymbolScope& scope) : At(range.Begin), End(range.End), Scope(scope) {}

  Value Whole() {
    if (At == End) throw AsmFailure{ErrSyntax};
    Value v = OrXor();
    if (At != End) throw AsmFailure{ErrSyntax};
    return v;
  }

private:
  bool Word(const char* name) {
    if (At != End && At->IsName(name)) {
      ++At;
      return true;
    }
    return false;
  }
  bool Op(char op) {
    if (At != End && At->Is(op)) {
      ++At;
      return true;
    }
    return false;
  }
  bool Op(std::string_view op) {
    if (At != End && At->IsOperator(op)) {
      ++At;
      return true;
    }
    return false;
  }

  // Counts one level of nesting while it lives.
  class Nested {
  public:
    explicit Nested(int& depth) : Depth(depth) {
      if (++Depth > MaxNesting) {
        --Depth;
        throw AsmFailure{ErrExpressionNesting};
      }
    }
    ~Nested() { --Depth; }
    Nested(const Nested&) = delete;
    Nested& operator=(const Nested&) = delete;

  private:
    int& Depth;
  };

  static Value Merge(const Value& a, const Value& b, uint32_t number) {
    Value v = Value::Absolute(static_cast<uint16_t>(number));
    v.Known = a.Known && b.Known;
    return v;
  }
  static void NeedAbsolute(const Value& a, const Value& b) {
    if (a.Known && b.Known && (!a.IsAbsolute() || !b.IsAbsolute()))
      throw AsmFailure{ErrRelocatableExpression};
  }

  Value OrXor() {
    Value v = And();
    for (;;) {
      if (Word("OR") || Op('|')) {
        Value r = And();
        NeedAbsolute(v, r);
        v = Merge(v, r, v.Number | r.Number);
      } else if (Op("||")) {
        Value r = And();
        NeedAbsolute(v, r);
        v = Merge(v, r, v.Number != 0 || r.Number != 0 ? True : 0);
      } else if (Word("XOR") || Op('^')) {
        Value r = And();
        NeedAbsolute(v, r);
        v = Merge(v, r, v.Number ^ r.Number);
      } else {
        return v;
      }
    }
  }

  Value And() {
    Value v = Not();
    for (;;) {
      const bool logical = Op("&&");
      if (!logical && !Word("AND") && !Op('&')) return v;
      Value r = Not();
      NeedAbsolute(v, r);
      v = Merge(v, r, logical ? (v.Number != 0 && r.Number != 0 ? True : 0) : v.Number & r.Number);
    }
  }

  Value Not() {
    if (Word("NOT")) {
      const Nested nested(Depth);
      Value r = Not();
      NeedAbsolute(r, r);
      return Merge(r, r, ~static_cast<uint32_t>(r.Number));
    }
    return Relation();
  }

  // Comparisons give 0FFFFH when true and 0 when false.
  Value Relation() {
    Value v = Sum();
    for (;;) {
      int op = 0;
      if (Word("EQ") || Op('=') || Op("=="))
        op = 1;
      else if (Word("NE") || Op("<>") || Op("!="))
        op = 2;
      else if (Word("LT") || Op('<'))
        op = 3;
      else if (Word("LE") || Op("<="))
        op = 4;
      else if (Word("GT") || Op('>'))
        op = 5;
      else if (Word("GE") || Op(">="))
        op = 6;
      else
        return v;
      const Value r = Sum();
      // Two places of one segment compare by their offsets.
      if (v.Known && r.Known && !(v.IsAbsolute() && r.IsAbsolute()) && !Subtract(v, r).IsAbsolute())
        throw AsmFailure{ErrRelocatableExpression};
      const uint16_t a = v.Number;
      const uint16_t b = r.Number;
      bool holds = false;
      switch (op) {
      case 1: holds = a == b; break;
      case 2: holds = a != b; break;
      case 3: holds = a < b; break;
      case 4: holds = a <= b; break;
      case 5: holds = a > b; break;
      default: holds = a >= b; break;
      }
      v = Merge(v, r, holds ? True : 0);
    }
  }

  Value Sum() {
    Value v = Product();
    for (;;) {
      if (Op('+')) {
        v = Add(v, Product());
      } else if (Op('-')) {
        v = Subtract(v, Product());
      } else {
        return v;
      }
    }
  }

  static bool Plain(const Value& v) { return v.Selected == Value::Part::Whole && !v.BitOfByte; }

  static Value Add(Value a, const Value& b) {
    if (!a.Known || !b.Known) return Value::Unknown();
    if (!a.IsAbsolute() && !b.IsAbsolute()) throw AsmFailure{ErrRelocatableExpression};
    Value base = a.IsAbsolute() ? b : a;
    const Value& other = a.IsAbsolute() ? a : b;
    if (!base.IsAbsolute() && !Plain(base)) throw AsmFailure{ErrRelocatableExpression};
    base.Number = static_cast<uint16_t>(base.Number + other.Number);
    if (base.IsAbsolute() && base.Type == MemNumber) base.Type = other.Type;
    return base;
  }

  static Value Subtract(Value a, const Value& b) {
    if (!a.Known || !b.Known) return Value::Unknown();
    if (b.IsAbsolute()) {
      if (!a.IsAbsolute() && !Plain(a)) throw AsmFailure{ErrRelocatableExpression};
      a.Number = static_cast<uint16_t>(a.Number - b.Number);
      return a;
    }
    // The distance between two places of the same segment is a plain number.
    if (a.Base == Value::BaseKind::Segment && b.Base == Value::BaseKind::Segment &&
        a.BaseId == b.BaseId && Plain(a) && Plain(b))
      return Value::Absolute(static_cast<uint16_t>(a.Number - b.Number));
    throw AsmFailure{ErrRelocatableExpression};
  }

  Value Product() {
    Value v = Unary();
    for (;;) {
      char op = 0;
      if (Op('*'))
        op = '*';
      else if (Op('/'))
        op = '/';
      else if (Word("MOD") || Op('%'))
        op = '%';
      else if (Word("SHL") || Op("<<"))
        op = '<';
      else if (Word("SHR") || Op(">>"))
        op = '>';
      else
        return v;
      Value r = Unary();
      NeedAbsolute(v, r);
      if ((op == '/' || op == '%') && r.Known && r.Number == 0) throw AsmFailure{ErrDivisionByZero};
      uint32_t n = 0;
      if (v.Known && r.Known) switch (op) {
        case '*': n = uint32_t(v.Number) * r.Number; break;
        case '/': n = v.Number / r.Number; break;
        case '%': n = v.Number % r.Number; break;
        case '<': n = r.Number >= 16 ? 0 : uint32_t(v.Number) << r.Number; break;
        default: n = r.Number >= 16 ? 0 : v.Number >> r.Number; break;
        }
      v = Merge(v, r, n);
    }
  }

  Value Unary() {
    if (Op('+')) {
      const Nested nested(Depth);
      return Unary();
    }
    if (Op('-')) {
      const Nested nested(Depth);
      Value r = Unary();
      NeedAbsolute(r, r);
      return Merge(r, r, 0u - r.Number);
    }
    if (Op('~') || Op('!')) {
      const bool logical = At[-1].Is('!');
      const Nested nested(Depth);
      Value r = Unary();
      NeedAbsolute(r, r);
      return Merge(r, r, logical ? (r.Number == 0 ? True : 0) : ~static_cast<uint32_t>(r.Number));
    }
    const bool high = Word("HIGH");
    if (high || Word("LOW")) {
      const Nested nested(Depth);
      Value r = Unary();
      if (!r.Known) return r;
      if (r.IsAbsolute())
        return Value::Absolute(high ? uint16_t(r.Number >> 8) : uint16_t(r.Number & 0xFF));
      if (!Plain(r)) throw AsmFailure{ErrRelocatableExpression};
      r.Selected = high ? Value::Part::High : Value::Part::Low;
      r.Type = MemNumber;
      return r;
    }
    return BitSelect();
  }

  Value BitSelect() {
    Value v = Primary();
    if (!Op('.')) return v;
    Value bit = Primary();
    NeedAbsolute(bit, bit);
    if (!v.Known || !bit.Known) return Value::Unknown();
    if (bit.Number > 7) throw AsmFailure{ErrBitAddress};
    Value result = v;
    result.Type = MemBit;
    if (v.IsAbsolute()) {
      if (v.Number >= 0x20 && v.Number <= 0x2F)
        result.Number = static_cast<uint16_t>((v.Number - 0x20) * 8 + bit.Number);
      else if (v.Number >= 0x80 && v.Number <= 0xFF && v.Number % 8 == 0)
        result.Number = static_cast<uint16_t>(v.Number + bit.Number);
      else
        throw AsmFailure{ErrBitAddress};
      return result;
    }
    if (!Plain(v)) throw AsmFailure{ErrBitAddress};
    result.BitOfByte = true;
    result.Number = static_cast<uint16_t>(v.Number * 8 + bit.Number);
    return result;
  }

  Value Primary() {
    if (At == End) throw AsmFailure{ErrSyntax};
    const Token& t = *At++;
    switch (t.Type) {
    case Token::Kind::Number:
      if (t.Bad) throw AsmFailure{ErrBadNumber};
      return Value::Absolute(static_cast<uint16_t>(t.Number));
    case Token::Kind::String: {
      if (t.Bad || t.Text.empty() || t.Text.size() > 2) throw AsmFailure{ErrString};
      uint16_t n = 0;
      for (char c : t.Text)
        n = static_cast<uint16_t>(n << 8 | static_cast<uint8_t>(c));
      return Value::Absolute(n);
    }
    case Token::Kind::Name: return Scope.SymbolValue(t.Text);
    case Token::Kind::Punct:
      if (t.Op == '$') return Scope.LocationCounter();
      if (t.Op == '(') {
        const Nested nested(Depth);
        Value v = OrXor();
        if (!Op(')')) throw AsmFailure{ErrSyntax};
        return v;
      }
      break;
    }
    throw AsmFailure{ErrSyntax};
  }

  const Token* At;
  const Token* End;
  SymbolScope& Scope;
  int Depth = 0;
};

} // namespace

Value Evaluate(TokenRange range, SymbolScope& scope) {
  return Parser(range, scope).Whole();
}

std::vector<TokenRange> SplitAtCommas(TokenRange range) {
  std::vector<TokenRange> parts;
  int depth = 0;
  const Token* start = range.Begin;
  for (const Token* t = range.Begin; t != range.End; ++t) {
    if (t->Is('('))
      ++depth;
    else if (t->Is(')'))
      --depth;
    else if (t->Is(',') && depth == 0) {
      parts.push_back({start, t});
      start = t + 1;
    }
  }
  parts.push_back({start, range.End});
  return parts;
}

} // namespace omf51
