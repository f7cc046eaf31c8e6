#include "DisassemblyRows.h"

#include "TCPU.h"
#include "TCodeValidMap.h"
#include "TOmf.h"
#include "TPort.h"

#include <algorithm>
#include <cstdio>

namespace {

// Upward scrolling counts at most this many instructions from an anchor; ShowAddress half.
constexpr int32_t CountLimit = 65535;
constexpr int32_t ShowLimit = 32768;

} // namespace

DisassemblyRows::DisassemblyRows(TCPU& cpu, TCodeValidMap& codeValid, TPort& port,
                                 const TOmf& debugInfo, TLongIntList& breakPoints)
    : CPU(cpu), CodeValid(codeValid), Port(port), DebugInfo(debugInfo), BreakPoints(breakPoints) {
  Anchors.Add(0);
}

void DisassemblyRows::ResetView() {
  Anchors.Clear();
  Anchors.Add(0);
  SetTopAddr(0);
  AnchorAddr = LastAddr = AnchorOffset = CursorCol = CursorRow = HOffset = 0;
  SetTopLine(0);
  CurModule = nullptr;
  ThumbTracking = false;
  ScrollPosition = TopAddr;
  Mode = DisassemblyMode;
  LineHeight = 14;
  CharWidth = 7;
  Rows.fill({});
}

void DisassemblyRows::LoadFromTarget() {
  if (!Port.IsOpen()) return;
  const uint16_t block = static_cast<uint16_t>(TopAddr & 0xFFF0);
  Port.ReadCode(block, std::min(TPort::BlockSize, 0x10000 - block));
  CodeValid.SetCodeValid(block, TPort::BlockSize, true);
}

bool DisassemblyRows::SetTopAddr(int32_t address) {
  address = std::max(address, 0);
  if (address == TopAddr) return false;
  TopAddr = address;
  return true;
}

bool DisassemblyRows::SetTopLine(int32_t line) {
  line = std::max(line, 0);
  if (line == TopLine) return false;
  TopLine = line;
  return true;
}

bool DisassemblyRows::SourceUsable() const {
  return CurModule && !CurModule->SourceLines.empty();
}

int32_t DisassemblyRows::LineCount() const {
  return CurModule ? static_cast<int32_t>(CurModule->SourceLines.size()) : 0;
}

void DisassemblyRows::SelectMode(int mode) {
  Mode = mode;
  if (mode == DisassemblyMode || CurModule) return;
  for (const auto& module : DebugInfo.Modules)
    if (!module->SourceLines.empty()) {
      CurModule = module.get();
      return;
    }
}

int32_t DisassemblyRows::NextInstruction(int32_t address) const {
  // Past FFFFH the view goes on at 0000H, as the disassembler does.
  return (address + CPU.InstructionLength(static_cast<uint16_t>(address))) & 0xFFFF;
}

int32_t DisassemblyRows::CountInstructions(int32_t from, int32_t to, int32_t limit) const {
  int32_t count = 0;
  for (int32_t p = from; p < to && count < limit; ++count)
    p += CPU.InstructionLength(static_cast<uint16_t>(p));
  return count;
}

int32_t DisassemblyRows::FindAnchor(int32_t address) const {
  int32_t best = 0;
  for (int32_t anchor : Anchors.Values())
    if (anchor < address && anchor > best) best = anchor;
  return best;
}

void DisassemblyRows::SetTopAddress(int32_t address) {
  SetTopAddr(address);
  AnchorAddr = TopAddr;
  Anchors.Add(TopAddr);
  AnchorOffset = 0;
  ScrollPosition = TopAddr;
}

void DisassemblyRows::ShowAddress(uint16_t address) {
  if (Mode == DisassemblyMode) {
    if (TopAddr <= address && address <= LastAddr) return;
    const int32_t anchor = FindAnchor(address);
    int32_t p = anchor, steps = 0;
    for (; p < address && steps < ShowLimit; ++steps)
      p += CPU.InstructionLength(static_cast<uint16_t>(p));
    if (p == address) {
      SetTopAddr(address);
      AnchorAddr = anchor;
      AnchorOffset = steps;
      ScrollPosition = TopAddr;
    } else {
      // Off the instruction stream from the anchor: the address starts a stream of its own.
      SetTopAddress(address);
    }
    return;
  }
  for (int r = 0; r <= LastRow; ++r)
    if (Rows[static_cast<size_t>(r)].RowAddr == address) return;
  for (const auto& module : DebugInfo.Modules) {
    if (!module->Contains(address)) continue;
    const std::vector<int32_t>& lines = module->Lines.Values();
    const auto found =
        Mode == SourceMode
            ? std::find(lines.begin(), lines.end(), int32_t{address})
            : std::find_if(lines.begin() + std::min<ptrdiff_t>(1, std::ssize(lines)), lines.end(),
                           [&](int32_t line) { return line > address; });
    if (found == lines.end()) continue;
    const int32_t index = static_cast<int32_t>(found - lines.begin());
    SetTopLine(Mode == SourceMode ? index : index - 1);
    CurModule = module.get();
    return;
  }
  Mode = DisassemblyMode;
}

void DisassemblyRows::RowsWhenShown(int gutterHeight) {
  LastRow = std::clamp((gutterHeight - 2) / LineHeight - 1, 0, RowCount - 1);
}

void DisassemblyRows::RowsWhenResized(int gutterHeight) {
  LastRow = std::clamp(gutterHeight / LineHeight - 1, 0, RowCount - 1);
}

void DisassemblyRows::SetRow(int row, int32_t line, int32_t address, std::string text,
                             TextKind kind) {
  const size_t r = static_cast<size_t>(row);
  Rows[r] = {line, address};
  Texts[r] = std::move(text);
  Kinds[r] = kind;
}

void DisassemblyRows::Prepare(bool fetch) {
  Rows.fill({});
  for (std::string& text : Texts)
    text.clear();
  if (!SourceUsable()) Mode = DisassemblyMode;
  if (Mode == DisassemblyMode) {
    if (!ThumbTracking) ScrollPosition = TopAddr;
    FillDisassemblyRows(fetch);
  } else {
    ScrollPosition = TopLine;
    if (Mode == SourceMode)
      FillSourceRows();
    else
      FillMixedRows();
  }
  // Keep the caret inside the pane.
  if (PaneWidth > 0 && PaneWidth < (CursorCol + 1) * CharWidth)
    CursorCol = std::max(PaneWidth / CharWidth - 1, 0);
  if (PaneHeight > 0 && PaneHeight < (CursorRow + 1) * LineHeight + 2)
    CursorRow = std::max((PaneHeight - 2) / LineHeight - 1, 0);
}

void DisassemblyRows::FillSourceRows() {
  const TLongIntList& lines = CurModule->Lines;
  for (int r = 0; r <= LastRow && TopLine + r < LineCount(); ++r) {
    const int32_t k = TopLine + r;
    const int32_t address = k < lines.Count() ? lines[k] : -1;
    SetRow(r, address != -1 ? k + 1 : -1, address, CurModule->SourceLines[static_cast<size_t>(k)],
           TextKind::Plain);
  }
}

void DisassemblyRows::FillMixedRows() {
  const TLongIntList& lines = CurModule->Lines;
  int r = 0;
  for (int32_t k = TopLine; r <= LastRow && k < LineCount();) {
    int32_t c = k < lines.Count() ? lines[k] : -1;
    SetRow(r++, k + 1, -1, CurModule->SourceLines[static_cast<size_t>(k)], TextKind::MixedSource);
    ++k;
    if (r > LastRow) break;
    if (c == -1) continue;
    // The code of a line runs to the next line that has code; that of the last one to the
    // end of the module, its highest address included.
    int32_t end = -1;
    for (int32_t j = k; j < lines.Count() && end == -1; ++j)
      end = lines[j];
    if (end == -1 && CurModule->CodeEnd >= CurModule->CodeBegin) end = CurModule->CodeEnd + 1;
    std::string text;
    while (c < end && r <= LastRow) {
      const int32_t next = CPU.Disassemble(static_cast<uint16_t>(c), text);
      LastAddr = c;
      SetRow(r++, -1, c, text, TextKind::MixedCode);
      if (next <= c) break; // wrapped past FFFFH
      c = next;
    }
  }
}

void DisassemblyRows::FetchBlock(int32_t address) {
  const uint16_t block = static_cast<uint16_t>(address & 0xFFF0);
  if (!Port.IsOpen() || CodeValid.IsCodeValid(block, 7)) return;
  Port.ReadCode(block, std::min(TPort::BlockSize, 0x10000 - block));
  CodeValid.SetCodeValid(block, TPort::BlockSize, true);
}

void DisassemblyRows::FillDisassemblyRows(bool fetch) {
  int32_t a = TopAddr & 0xFFFF;
  std::string text;
  for (int r = 0; r <= LastRow; ++r) {
    LastAddr = a;
    if (fetch) FetchBlock(a);
    const int32_t next = CPU.Disassemble(static_cast<uint16_t>(a), text);
    SetRow(r, -1, a, text, TextKind::Plain);
    a = next;
  }
}

DisassemblyRows::GutterRow DisassemblyRows::Gutter(int row) {
  GutterRow g;
  if (row < 0 || row >= RowCount || row > LastRow) return g;
  if (Mode != DisassemblyMode && !SourceUsable()) {
    Mode = DisassemblyMode;
    return g;
  }
  const Row& r = Rows[static_cast<size_t>(row)];
  if (Mode == SourceMode) {
    if (TopLine + row >= LineCount()) return g;
    g.Number = TopLine + row + 1;
  } else if (Mode == MixedMode && r.RowLine != -1) {
    g.Number = r.RowLine;
  }
  if (r.RowAddr != -1) {
    g.RunLine = true;
    g.BreakPoint = BreakPoints.IndexOf(r.RowAddr) >= 0;
    g.CurrentPC = r.RowAddr == CPU.PC;
  }
  return g;
}

std::string DisassemblyRows::Caption() const {
  if (Mode != DisassemblyMode && CurModule) return "当前模块：" + CurModule->Name;
  if (!ThumbTracking) return "反汇编调试";
  char text[32];
  std::snprintf(text, sizeof text, "当前地址：%.4X", static_cast<unsigned>(ScrollPosition));
  return text;
}

int DisassemblyRows::ScrollMaximum() const {
  return Mode == DisassemblyMode ? 0xFFFF : std::max(LineCount() - 1, 0);
}

int32_t DisassemblyRows::CursorAddress() const {
  if (CursorRow < 0 || CursorRow >= RowCount) return -1;
  return Rows[static_cast<size_t>(CursorRow)].RowAddr;
}

bool DisassemblyRows::ToggleBreakpoint(int row) {
  if (row < 0 || row >= RowCount) return false;
  const int32_t address = Rows[static_cast<size_t>(row)].RowAddr;
  if (address == -1) return false;
  if (BreakPoints.IndexOf(address) < 0)
    BreakPoints.Add(address);
  else
    BreakPoints.Remove(address);
  return true;
}

void DisassemblyRows::ScrollInstructions(int32_t delta) {
  const int32_t o = AnchorOffset;
  const int32_t n = o + delta;
  AnchorOffset = n;
  if (n == o) return;
  if (n > o) {
    for (int32_t i = 0; i < n - o; ++i)
      SetTopAddr(NextInstruction(TopAddr));
    const int32_t anchor = FindAnchor(TopAddr);
    if (anchor != AnchorAddr) {
      AnchorAddr = anchor;
      AnchorOffset = CountInstructions(anchor, TopAddr, CountLimit);
    }
  } else if (n >= 0) {
    SetTopAddr(AnchorAddr);
    for (int32_t i = 0; i < n; ++i)
      SetTopAddr(NextInstruction(TopAddr));
  } else {
    // Above the anchor: count again from the one before it.
    const int32_t anchor = FindAnchor(TopAddr);
    AnchorAddr = anchor;
    AnchorOffset = std::max(CountInstructions(anchor, TopAddr, CountLimit) + n, 0);
    int32_t top = anchor;
    for (int32_t i = 0; i < AnchorOffset; ++i)
      top = NextInstruction(top);
    SetTopAddr(top);
  }
  ScrollPosition = TopAddr;
}

int32_t DisassemblyRows::SourceRowsShown() const {
  int32_t count = 0;
  for (int r = 0; r <= LastRow; ++r)
    if (Rows[static_cast<size_t>(r)].RowLine != -1) ++count;
  return count;
}

void DisassemblyRows::ScrollLines(int32_t delta) {
  SetTopLine(TopLine + delta);
}

bool DisassemblyRows::PressHorizontal(Key key) {
  const int32_t offset = HOffset;
  const int32_t columns = CharWidth > 0 ? PaneWidth / CharWidth : 0;
  switch (key) {
  case Key::Home: CursorCol = HOffset = 0; break;
  case Key::End:
    CursorCol = columns;
    HOffset = MaxHOffset;
    break;
  case Key::Left:
    if (CursorCol > 0)
      --CursorCol;
    else if (HOffset > 0)
      --HOffset;
    break;
  case Key::Right:
    if (CursorCol < columns - 1)
      ++CursorCol;
    else if (HOffset < MaxHOffset - 1)
      ++HOffset;
    break;
  default: break;
  }
  return HOffset != offset;
}

void DisassemblyRows::PressVertical(Key key) {
  const bool disassembly = Mode == DisassemblyMode;
  if (!disassembly && !CurModule) return;
  const int32_t page = Mode == MixedMode ? SourceRowsShown() : LastRow + 1;
  auto scroll = [&](int32_t delta) {
    if (disassembly)
      ScrollInstructions(delta);
    else
      ScrollLines(delta);
  };
  switch (key) {
  case Key::Up:
    if (CursorRow > 0)
      --CursorRow;
    else
      scroll(-1);
    break;
  case Key::Down:
    if (CursorRow < LastRow)
      ++CursorRow;
    else
      scroll(1);
    break;
  case Key::PageUp:
    if (CursorRow != 0)
      CursorRow = 0;
    else
      scroll(disassembly ? -(LastRow + 1) : -page);
    break;
  case Key::PageDown:
    if (CursorRow != LastRow)
      CursorRow = LastRow;
    else
      scroll(disassembly ? LastRow + 1 : page);
    break;
  case Key::Space:
    if (disassembly)
      SetTopAddress(CPU.PC);
    else
      ShowAddress(CPU.PC);
    break;
  default: return;
  }
  if (Mode != DisassemblyMode && CurModule && TopLine >= LineCount() - 1)
    SetTopLine(LineCount() - 1);
}

bool DisassemblyRows::Press(Key key) {
  switch (key) {
  case Key::Escape:
    // Esc is Stop's shortcut too: a run in progress ends even before Stop is reached.
    CPU.SetRunning(false);
    return false;
  case Key::Home:
  case Key::End:
  case Key::Left:
  case Key::Right: return PressHorizontal(key);
  default: PressVertical(key); return true;
  }
}

void DisassemblyRows::ScrollBar(Scroll action, int32_t position) {
  if (Mode == DisassemblyMode) {
    switch (action) {
    case Scroll::LineUp: ScrollInstructions(-1); break;
    case Scroll::LineDown: ScrollInstructions(1); break;
    case Scroll::PageUp: ScrollInstructions(-(LastRow + 1)); break;
    case Scroll::PageDown: ScrollInstructions(LastRow + 1); break;
    case Scroll::Track:
    case Scroll::Position:
      ThumbTracking = true;
      ScrollPosition = position;
      break;
    case Scroll::End:
      // The drag caption ends with the drag, also when the box went back to the top row.
      if (ThumbTracking && ScrollPosition != TopAddr) SetTopAddress(ScrollPosition);
      ThumbTracking = false;
      break;
    }
    return;
  }
  if (!CurModule) return;
  const int32_t page = Mode == MixedMode ? SourceRowsShown() : LastRow + 1;
  switch (action) {
  case Scroll::LineUp: ScrollLines(-1); break;
  case Scroll::LineDown: ScrollLines(1); break;
  case Scroll::PageUp: ScrollLines(-page); break;
  case Scroll::PageDown: ScrollLines(page); break;
  case Scroll::Track:
  case Scroll::Position: SetTopLine(position); break;
  case Scroll::End: SetTopLine(ScrollPosition); break;
  }
  if (TopLine >= LineCount() - 1) SetTopLine(LineCount() - 1);
  ScrollPosition = TopLine;
}

void DisassemblyRows::SetHOffset(int32_t offset) {
  HOffset = std::clamp(offset, 0, MaxHOffset);
}

void DisassemblyRows::ClickPane(int x, int y) {
  CursorRow = std::clamp(y / LineHeight, 0, RowCount - 1);
  CursorCol = std::max(x / CharWidth, 0);
}
