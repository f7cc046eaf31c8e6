#include "MemoryRows.h"

#include "TCPU.h"
#include "TPort.h"
#include "TargetView.h"

#include <algorithm>
#include <bitset>
#include <cstdio>

namespace {

constexpr int BytesPerRow = 16;
constexpr int SpaceRowCounts[4] = {4096, 4096, 16, 8};
constexpr const char* SpaceNames[4] = {"程序存储区", "数据存储区", "CPU内部存储区", "特殊寄存器区"};

template <typename... Args> std::string Format(const char* format, Args... args) {
  char text[32];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

} // namespace

MemoryRows::MemoryRows(const ViewTarget& target, MemoryGridSurface& surface)
    : Target(target), Surface(surface), Start(target.CPU.PC & 0xFFF0) {
  ConfigureSpace();
}

int MemoryRows::SpaceRows() const {
  return SpaceRowCounts[SpaceNo];
}

const char* MemoryRows::SpaceName(int space) {
  return SpaceNames[std::clamp(space, 0, 3)];
}

std::string MemoryRows::ScrollCaption(int position) {
  return Format("地址：%.4X", position * BytesPerRow);
}

void MemoryRows::ConfigureSpace() {
  if (Start >= (SpaceRows() - 1) * BytesPerRow) Start = (SpaceRows() - 2) * BytesPerRow;
  MarkAll();
  Surface.ScrollPositionsChanged();
}

void MemoryRows::SelectSpace(int space) {
  SpaceNo = std::clamp(space, 0, 3);
  ConfigureSpace();
  LoadFromTarget();
  Surface.RepaintGrid();
}

void MemoryRows::SetStartAddr(int32_t address) {
  Start = address & 0xFFF0;
  LoadFromTarget();
  MarkAll();
  Surface.ScrollPositionsChanged();
  Surface.RepaintGrid();
}

void MemoryRows::ScrollTo(int position) {
  Start = std::clamp(position, 0, SpaceRows() - 1) * BytesPerRow;
  LoadFromTarget();
  MarkAll();
  Surface.ScrollPositionsChanged();
  Surface.RepaintGrid();
}

void MemoryRows::ScrollBy(int32_t newStart) {
  Start = newStart;
  Surface.ScrollPositionsChanged();
  LoadFromTarget();
  // Every byte moves to another cell, so the marks no longer tell what was painted red.
  MarkAll();
}

void MemoryRows::ScrollUp() {
  ScrollBy(std::max(Start - BytesPerRow, 0));
}

void MemoryRows::ScrollDown() {
  ScrollBy(std::min(Start + BytesPerRow, (SpaceRows() - 1) * BytesPerRow));
}

void MemoryRows::SetLeftCol(int col) {
  col = std::clamp(col, 1, ColCount - 1);
  if (col == Left) return;
  Left = col;
  Surface.ScrollPositionsChanged();
  Surface.RepaintGrid();
}

void MemoryRows::SetShowAscii(bool show) {
  if (show == Ascii) return;
  Ascii = show;
  MarkAll();
  Surface.RepaintGrid();
}

void MemoryRows::LoadFromTarget() {
  TPort& port = Target.Port;
  if (!port.IsOpen()) return;
  if (SpaceNo == 3) {
    port.ReadSfrs(std::bitset<128>().set());
    return;
  }
  // Only the part of the visible rows that lies inside the space is read.
  const int32_t size = SpaceRows() * BytesPerRow;
  if (Start >= size) return;
  const int count = std::min((Rows - 1) * BytesPerRow, size - Start);
  const auto address = static_cast<uint16_t>(Start);
  switch (SpaceNo) {
  case 0: port.ReadCode(address, count); break;
  case 1: port.ReadXData(address, count); break;
  default: port.ReadIRam(static_cast<uint8_t>(address), count); break;
  }
}

uint8_t MemoryRows::ByteAt(bool previous, int32_t p) const {
  const TCPU& cpu = previous ? Target.PrevCPU : Target.CPU;
  switch (SpaceNo) {
  case 0: return cpu.Code[p];
  case 1: return cpu.XData[p];
  case 2: return cpu.IRam[p & 0xFF];
  default: return cpu.Sfr[p & 0x7F];
  }
}

int32_t MemoryRows::CellOffset(int col, int row) const {
  if (col < 1 || col > BytesPerRow || row < 1 || row >= Rows) return -1;
  const int32_t p = Start + (row - 1) * BytesPerRow + col - 1;
  return p < SpaceRows() * BytesPerRow ? p : -1;
}

bool MemoryRows::CellChanged(int col, int row) const {
  const int32_t p = CellOffset(col, row);
  return p >= 0 && ByteAt(false, p) != ByteAt(true, p);
}

bool MemoryRows::RowChanged(int row) const {
  for (int c = 1; c <= BytesPerRow; ++c)
    if (CellChanged(c, row)) return true;
  return false;
}

void MemoryRows::MarkAll() {
  for (auto& row : ChangedMarks)
    row.fill(true);
}

void MemoryRows::ShowChanges() {
  for (int r = 1; r < Rows; ++r) {
    std::array<bool, ColCount>& marks = ChangedMarks[r];
    bool rowChanged = false;
    for (int c = 1; c <= BytesPerRow; ++c) {
      const bool changed = CellChanged(c, r);
      if (changed || marks[c]) Surface.RepaintCell(c, r);
      marks[c] = changed;
      rowChanged = rowChanged || changed;
    }
    // The ASCII column's mark stands for the whole row.
    if (Ascii && (rowChanged || marks[ColCount - 1])) Surface.RepaintCell(ColCount - 1, r);
    marks[ColCount - 1] = Ascii && rowChanged;
  }
}

std::string MemoryRows::CellText(int col, int row) const {
  if (row == 0) {
    if (col == 0) return "地址";
    return col <= BytesPerRow ? Format("%X", col - 1) : std::string();
  }
  if (col == 0) {
    const int32_t a = Start + (row - 1) * BytesPerRow;
    if (a > (SpaceRows() - 1) * BytesPerRow) return {};
    return Format("%.4X", SpaceNo == 3 ? a + 0x80 : a);
  }
  if (col <= BytesPerRow) {
    const int32_t p = CellOffset(col, row);
    return p < 0 ? std::string() : Format("%.2X", ByteAt(false, p));
  }
  std::string ascii;
  if (!Ascii) return ascii;
  for (int c = 1; c <= BytesPerRow; ++c) {
    const int32_t p = CellOffset(c, row);
    if (p < 0) break;
    const uint8_t b = ByteAt(false, p);
    ascii += b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
  }
  return ascii;
}

void MemoryRows::MoveNibble(int nibble) {
  if (nibble > 1) {
    MoveCol(ECol + 1);
    nibble = 0;
  } else if (nibble < 0) {
    MoveCol(ECol - 1);
    nibble = 1;
  }
  ENibble = nibble;
}

void MemoryRows::MoveCol(int col) {
  if (col < Left) {
    if (Left == 1) {
      MoveRow(ERow - 1);
      ECol = BytesPerRow;
    } else {
      ECol = col;
      SetLeftCol(col);
    }
  } else if (col > BytesPerRow) {
    SetLeftCol(1);
    MoveRow(ERow + 1);
    ECol = 1;
  } else {
    ECol = col;
  }
}

void MemoryRows::MoveRow(int row) {
  if (row <= 0) {
    ERow = 1;
    ScrollUp();
    Surface.RepaintGrid();
  } else if (row > Rows - 1) {
    ERow = Rows - 1;
    ScrollDown();
    Surface.RepaintGrid();
  } else {
    ERow = row;
  }
}

int MemoryRows::DigitOfKey(int keyCode) {
  if (keyCode >= 0x30 && keyCode <= 0x39) return keyCode - 0x30;
  if (keyCode == 0x40) return 0;
  if (keyCode >= 0x41 && keyCode <= 0x46) return keyCode - 0x41 + 10;
  return -1;
}

void MemoryRows::TypeDigit(int digit) {
  const int32_t p = CellOffset(ECol, ERow);
  if (p >= 0) {
    const uint8_t old = ByteAt(false, p);
    const auto d = static_cast<uint8_t>(digit & 0x0F);
    WriteByte(p, ENibble == 0 ? static_cast<uint8_t>(d << 4 | (old & 0x0F))
                              : static_cast<uint8_t>((old & 0xF0) | d));
    // The cell is painted again now, so its mark must say how.
    ChangedMarks[ERow][ECol] = CellChanged(ECol, ERow);
    Surface.RepaintCell(ECol, ERow);
    if (Ascii) {
      ChangedMarks[ERow][ColCount - 1] = RowChanged(ERow);
      Surface.RepaintCell(ColCount - 1, ERow);
    }
  }
  MoveNibble(ENibble + 1);
}

void MemoryRows::WriteByte(int32_t p, uint8_t value) {
  TCPU& cpu = Target.CPU;
  TPort& port = Target.Port;
  switch (SpaceNo) {
  case 0:
    cpu.Code[p & 0xFFFF] = value;
    port.WriteCode(static_cast<uint16_t>(p), 1);
    if (Target.Disassembly) Target.Disassembly->RepaintCodePane();
    break;
  case 1:
    cpu.XData[p & 0xFFFF] = value;
    port.WriteXData(static_cast<uint16_t>(p), 1);
    break;
  case 2:
    cpu.IRam[p & 0xFF] = value;
    port.WriteIRam(static_cast<uint8_t>(p & 0xFF), 1);
    break;
  default:
    cpu.Sfr[p & 0x7F] = value;
    port.WriteSfr(static_cast<uint8_t>(0x80 + (p & 0x7F)));
    break;
  }
}

void MemoryRows::SetCharSize(int charWidth, int charHeight) {
  CharW = std::max(charWidth, 12);
  CharH = std::max(charHeight, 18);
}

int MemoryRows::ColumnWidth(int col) const {
  if (col == 0) return 4 * CharW;
  return col <= BytesPerRow ? 2 * CharW : 16 * CharW;
}

int MemoryRows::ColumnLeft(int col) const {
  if (col == 0) return 0;
  if (col < Left) return -1;
  int x = ColumnWidth(0) + 1;
  for (int c = Left; c < col; ++c)
    x += ColumnWidth(c) + 1;
  return x;
}

int MemoryRows::GridWidth() const {
  return ColumnLeft(ColCount - 1) + ColumnWidth(ColCount - 1) + 1;
}

int MemoryRows::FitRows(int clientHeight, int scrollBarHeight) {
  const int rows = std::clamp((clientHeight - scrollBarHeight) / (CharH + 3), 2, MaxRowCount);
  if (rows != Rows) {
    Rows = rows;
    Surface.ScrollPositionsChanged();
    LoadFromTarget();
    MarkAll();
    Surface.RepaintGrid();
  }
  MoveRow(ERow);
  return Rows * (CharH + 3) + scrollBarHeight;
}

bool MemoryRows::Click(int x, int y) {
  const int row = y / (RowHeight() + 1);
  if (row < 1 || row >= Rows) return false;
  for (int c = std::max(Left, 1); c <= BytesPerRow; ++c) {
    const int left = ColumnLeft(c);
    if (x >= left && x < left + ColumnWidth(c)) {
      ECol = c;
      ERow = row;
      MoveNibble(std::min(1, (x - left) / CharW));
      return true;
    }
  }
  return false;
}

void MemoryRows::KeepEditCellVisible(int clientWidth) {
  const int left = ColumnLeft(ECol);
  if (left < 0 || left + ColumnWidth(ECol) > clientWidth) SetLeftCol(ECol);
}

int MemoryRows::CaretX() const {
  return ColumnLeft(ECol) + ENibble * CharW + 3;
}

int MemoryRows::CaretY() const {
  return RowTop(ERow) + 1;
}
