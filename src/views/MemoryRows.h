#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ViewTarget.h"

// What the memory grid asks of the widget that paints it.
class MemoryGridSurface {
public:
  virtual ~MemoryGridSurface() = default;
  // One cell (column 0..17, row 0..RowCount-1) is to be painted again.
  virtual void RepaintCell(int col, int row) = 0;
  virtual void RepaintGrid() = 0;
  // StartAddr or LeftCol moved: the scroll bars follow.
  virtual void ScrollPositionsChanged() = 0;
};

// The memory window's state apart from its widget: the space shown, the first row, the rows
// that fit, the edit cursor and the changed marks, with the grid geometry the widget paints
// from.
class MemoryRows {
public:
  static constexpr int ColCount = 18;
  static constexpr int MaxRowCount = 101; // rows of ChangedMarks: the header and 100 data rows

  MemoryRows(const ViewTarget& target, MemoryGridSurface& surface);

  // Space 0 program memory, 1 external data, 2 internal RAM, 3 special registers.
  int Space() const { return SpaceNo; }
  int32_t StartAddr() const { return Start; }
  int RowCount() const { return Rows; }
  int LeftCol() const { return Left; }
  int EditCol() const { return ECol; }
  int EditRow() const { return ERow; }
  int EditNibble() const { return ENibble; }
  bool ShowAscii() const { return Ascii; }

  // Rows of 16 bytes in the current space.
  int SpaceRows() const;
  static const char* SpaceName(int space);
  // The window caption: the space name, or "地址：%.4X" while the user drags the scroll bar.
  std::string Caption() const { return SpaceName(SpaceNo); }
  static std::string ScrollCaption(int position);

  void SelectSpace(int space);
  // Starts at the given address AND FFF0H, also beyond the space (those rows stay empty).
  void SetStartAddr(int32_t address);
  // The end of vertical scrolling: position is the first row.
  void ScrollTo(int position);
  void ScrollUp();
  void ScrollDown();
  void SetLeftCol(int col);
  void SetShowAscii(bool show);

  // Reads the visible rows (all registers for the SFR space) from a connected emulator.
  void LoadFromTarget();
  // Repaints the byte cells whose changed mark is or was set, and stores the new marks.
  void ShowChanges();
  void MarkAll();

  // Cell texts. Column 17 is empty unless ShowAscii.
  std::string CellText(int col, int row) const;
  // The byte at the cell differs from the snapshot.
  bool CellChanged(int col, int row) const;
  // The byte of data row r, column c (1..16) inside the space: its offset; -1 outside.
  int32_t CellOffset(int col, int row) const;

  // Editing.
  void MoveNibble(int nibble);
  void MoveCol(int col);
  void MoveRow(int row);
  // Writes the hexadecimal digit at the edit position (nothing beyond the space) and moves
  // on by one nibble.
  void TypeDigit(int digit);
  // The digit of a key code (30H-39H, 41H-46H, 40H counts as 0); -1 for other keys.
  static int DigitOfKey(int keyCode);
  void WriteByte(int32_t offset, uint8_t value);

  // Geometry, from the window font.
  void SetCharSize(int charWidth, int charHeight);
  int CharWidth() const { return CharW; }
  int CharHeight() const { return CharH; }
  int ColumnWidth(int col) const;
  int RowHeight() const { return CharH + 2; }
  // Left edge of a column as shown (columns left of LeftCol are hidden: -1).
  int ColumnLeft(int col) const;
  int RowTop(int row) const { return row * (RowHeight() + 1); }
  // Width of all columns shown from LeftCol on, with the grid lines.
  int GridWidth() const;
  int GridHeight() const { return Rows * (RowHeight() + 1); }
  // Fits RowCount to the client height less the horizontal scroll bar; returns the client
  // height that shows whole rows only.
  int FitRows(int clientHeight, int scrollBarHeight);
  // A click at x, y of the client area: moves the edit cursor into a byte cell.
  bool Click(int x, int y);
  // After a key: shows the edit column when its cell is not wholly inside clientWidth.
  void KeepEditCellVisible(int clientWidth);
  int CaretX() const;
  int CaretY() const;

private:
  void ConfigureSpace();
  void ScrollBy(int32_t newStart);
  uint8_t ByteAt(bool previous, int32_t offset) const;
  bool RowChanged(int row) const;

  ViewTarget Target;
  MemoryGridSurface& Surface;
  int SpaceNo = 0;
  int32_t Start = 0;
  int Rows = 2;
  int Left = 1;
  int ECol = 1;
  int ERow = 1;
  int ENibble = 0;
  bool Ascii = false;
  int CharW = 12;
  int CharH = 18;
  std::array<std::array<bool, ColCount>, MaxRowCount> ChangedMarks{};
};
