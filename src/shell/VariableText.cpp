#include "VariableText.h"

#include "TCPU.h"
#include "TSymbolRec.h"

#include <bit>
#include <cmath>
#include <cstdio>

namespace {

enum Region : uint8_t { RCode = 0, RXData = 1, RData = 2, RIData = 3, RBit = 4, RConst = 5 };
enum Type : uint8_t {
  TLabel = 0,
  TBit = 1,
  TChar = 2,
  TByte = 3,
  TInt = 4,
  TWord = 5,
  TLong = 6,
  TDWord = 7,
  TFloat = 8,
  TNone = 9,
  TCodeAddress = 10,
  TVoidPointer = 11,
  FirstUserType = 12,
};

// The bit area of internal RAM starts at 20H; bit addresses from 80H lie in
// the special registers whose address is a multiple of 8.
constexpr uint8_t BitArea = 0x20;

template <typename... Args> std::string Format(const char* format, Args... args) {
  char text[80];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

bool IsLabelInCode(const TSymbolRec& s) {
  return s.Type == TLabel && s.Region == RCode;
}

// The first of up to four bytes of a variable, with the space it lies in.
struct Location {
  MemorySpace Space;
  uint32_t Offset; // index into the space's image
};

std::optional<Location> LocationOf(const TSymbolRec& s) {
  switch (s.Region) {
  case RCode: return Location{MemorySpace::Code, s.Addr};
  case RXData: return Location{MemorySpace::XData, s.Addr};
  case RData:
    if (s.Addr >= 0x80) return Location{MemorySpace::Sfr, (s.Addr - 0x80u) & 0x7Fu};
    return Location{MemorySpace::IRam, s.Addr};
  case RIData: return Location{MemorySpace::IRam, s.Addr & 0xFFu};
  default: return std::nullopt;
  }
}

uint8_t ByteAt(const TCPU& cpu, const Location& at, uint32_t i) {
  const std::span<const uint8_t> image = SpaceImage(cpu, at.Space);
  return image[(at.Offset + i) % image.size()];
}

std::string BitText(uint8_t byte, uint16_t bitAddress) {
  return Format("%d", (byte >> (bitAddress & 7)) & 1);
}

uint8_t BitVariableByte(const TSymbolRec& s, const TCPU& cpu) {
  if (s.Addr >= 0x80) return cpu.Sfr[s.Addr & 0x78u];
  return cpu.IRam[(BitArea + s.Addr / 8u) & 0xFFu];
}

std::string FloatText(uint32_t bits) {
  const float value = std::bit_cast<float>(bits);
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return Format("%.2f", static_cast<double>(value));
}

} // namespace

std::optional<VariableRead> VariableReadRange(const TSymbolRec& s) {
  if (IsLabelInCode(s) || s.Type >= FirstUserType) return std::nullopt;
  const int n = TypeSize(s.Type);
  switch (s.Region) {
  case RCode: return VariableRead{MemorySpace::Code, s.Addr, n};
  case RXData: return VariableRead{MemorySpace::XData, s.Addr, n};
  case RData: return VariableRead{s.Addr >= 0x80 ? MemorySpace::Sfr : MemorySpace::IRam, s.Addr, n};
  case RIData: return VariableRead{MemorySpace::IRam, s.Addr, n};
  case RBit:
    if (s.Addr >= 0x80)
      return VariableRead{MemorySpace::Sfr, static_cast<uint16_t>(s.Addr & 0xF8u), n};
    return VariableRead{MemorySpace::IRam, static_cast<uint16_t>(BitArea + s.Addr / 8u), n};
  default: return std::nullopt;
  }
}

std::string FormatValue(const TSymbolRec& s, const TCPU& cpu) {
  if (s.Region == RBit) return BitText(BitVariableByte(s, cpu), s.Addr);
  if (s.Region == RConst) return Format("%d, %.4XH", s.Addr, s.Addr);
  const std::optional<Location> at = LocationOf(s);
  if (!at) return {};
  uint8_t b[4];
  for (uint32_t i = 0; i < 4; ++i)
    b[i] = ByteAt(cpu, *at, i);
  uint32_t w = b[0] * 256u + b[1];
  const uint32_t d = uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | b[3];
  switch (s.Type) {
  case TLabel: return Format("%d, %.4XH", b[0], b[0]);
  case TBit: return BitText(b[0], s.Addr);
  case TChar: return Format("%d, %.2XH", static_cast<int8_t>(b[0]), b[0]);
  case TByte: return Format("%d, %.2XH", b[0], b[0]);
  case TInt: return Format("%d, %.4XH", static_cast<int16_t>(w), w);
  case TWord:
    // Special registers keep a word's low byte at the lower address.
    if (at->Space == MemorySpace::Sfr) w = b[0] + b[1] * 256u;
    return Format("%u, %.4XH", w, w);
  case TLong:
  case TDWord: return Format("%d, %.8XH", static_cast<int32_t>(d), d);
  case TFloat: return FloatText(d) + Format(", %.8XH", d);
  case TCodeAddress: return Format("%.4XH", s.Addr);
  case TVoidPointer: return "void *";
  default: return {};
  }
}

std::string VariableLine(std::string_view name, const TSymbolRec* s, const TCPU& cpu) {
  std::string line(name);
  line += ": ";
  if (!s) return line + "not definition";
  line += RegionName(s->Region);
  line += ", ";
  if (IsLabelInCode(*s)) return line + "Label:" + Format("%.4XH", s->Addr);
  if (s->Type >= FirstUserType) return line + "Self Define, " + Format("Address(%.4XH)", s->Addr);
  line += s->Type == TLabel ? std::string_view("BYTE") : TypeName(s->Type);
  return line + "::" + FormatValue(*s, cpu);
}
