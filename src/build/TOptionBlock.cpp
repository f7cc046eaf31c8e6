#include "TOptionBlock.h"

#include "TextEncoding.h"

#include <cassert>

namespace {

// Fields are written and read in block order, so each codec walks the block
// once with a cursor.
class BlockWriter {
public:
  explicit BlockWriter(std::string& out) : Out(out) {}

  void U8(uint8_t v) { Out += static_cast<char>(v); }
  void Bool(bool v) { U8(v ? 1 : 0); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Bounds(const TBounds& b) {
    I32(b.Left);
    I32(b.Top);
    I32(b.Width);
    I32(b.Height);
  }
  // Length byte, then the bytes padded with zeros to the field's size.
  void ShortString(std::string_view bytes, size_t capacity) {
    U8(static_cast<uint8_t>(bytes.size()));
    Out.append(bytes);
    Out.append(capacity - bytes.size(), '\0');
  }

private:
  std::string& Out;
};

class BlockReader {
public:
  explicit BlockReader(std::string_view in) : In(in) {}

  uint8_t U8() { return static_cast<uint8_t>(In[Pos++]); }
  bool Bool() { return U8() != 0; }
  uint16_t U16() {
    const uint8_t low = U8();
    return static_cast<uint16_t>(low | U8() << 8);
  }
  uint32_t U32() {
    const uint16_t low = U16();
    return low | static_cast<uint32_t>(U16()) << 16;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  TBounds Bounds() {
    TBounds b;
    b.Left = I32();
    b.Top = I32();
    b.Width = I32();
    b.Height = I32();
    return b;
  }
  // A length byte larger than the field is read as the whole field.
  std::string_view ShortString(size_t capacity) {
    const size_t length = std::min<size_t>(U8(), capacity);
    const std::string_view bytes = In.substr(Pos, length);
    Pos += capacity;
    return bytes;
  }

private:
  std::string_view In;
  size_t Pos = 0;
};

// Cuts GBK bytes to at most limit bytes without splitting a two-byte character.
std::string_view CutGbk(std::string_view gbk, size_t limit) {
  size_t end = 0;
  while (end < gbk.size()) {
    const size_t step = static_cast<uint8_t>(gbk[end]) >= 0x81 ? 2 : 1;
    if (end + step > limit) break;
    end += step;
  }
  return gbk.substr(0, std::min(end, gbk.size()));
}

} // namespace

std::string TOptionBlock::Encode() const {
  std::string out;
  out.reserve(Size);
  BlockWriter w(out);
  w.U32(Signature);
  w.U8(EmlutorCPU);
  w.U8(EmlutorROM);
  w.U8(EmlutorRAM);
  w.Bool(P36IO);
  w.Bool(P37IO);
  w.U8(SelectPort);
  w.U8(ASM_RegisterBank);
  w.U8(C_RegisterBank);
  w.U8(C_Compile);
  w.U8(C_Optimize);
  for (const TBounds* b : {&RegistBounds, &Memory1Bounds, &Memory2Bounds, &DebugBounds,
                           &StackBounds, &VariableBounds, &CompileLinkMsgBounds})
    w.Bounds(*b);
  for (bool open : {RegistOpen, Memory1Open, Memory2Open, DebugOpen, StackOpen, VariableOpen})
    w.Bool(open);
  w.Bounds(MainBounds);
  w.U32(FontColor);
  w.I32(FontHeight);
  w.ShortString(CutGbk(Utf8ToGbk(FontName), MaxFontNameBytes), MaxFontNameBytes);
  w.U8(FontPitch);
  w.I32(FontSize);
  w.U8(FontStyle);
  w.U8(DelayTime);
  w.U16(C_CmdShow);
  for (uint8_t b : Reserved)
    w.U8(b);
  assert(out.size() == Size);
  return out;
}

void TOptionBlock::Decode(std::string_view bytes) {
  assert(bytes.size() >= Size);
  BlockReader r(bytes);
  Signature = r.U32();
  EmlutorCPU = r.U8();
  EmlutorROM = r.U8();
  EmlutorRAM = r.U8();
  P36IO = r.Bool();
  P37IO = r.Bool();
  SelectPort = r.U8();
  ASM_RegisterBank = r.U8();
  C_RegisterBank = r.U8();
  C_Compile = r.U8();
  C_Optimize = r.U8();
  for (TBounds* b : {&RegistBounds, &Memory1Bounds, &Memory2Bounds, &DebugBounds, &StackBounds,
                     &VariableBounds, &CompileLinkMsgBounds})
    *b = r.Bounds();
  for (bool* open :
       {&RegistOpen, &Memory1Open, &Memory2Open, &DebugOpen, &StackOpen, &VariableOpen})
    *open = r.Bool();
  MainBounds = r.Bounds();
  FontColor = r.U32();
  FontHeight = r.I32();
  FontName = GbkToUtf8(r.ShortString(MaxFontNameBytes));
  FontPitch = r.U8();
  FontSize = r.I32();
  FontStyle = r.U8();
  DelayTime = r.U8();
  C_CmdShow = r.U16();
  for (uint8_t& b : Reserved)
    b = r.U8();
}
