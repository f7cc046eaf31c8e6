#pragma once

#include "TLongIntList.h"

#include <array>
#include <cstdint>
#include <string>

class TCPU;
class TCodeValidMap;
class TDefModuleInfo;
class TOmf;
class TPort;

// What the disassembly window shows and where: the display mode, the module, the rows of the
// code pane, the anchors that upward scrolling counts whole instructions from, the cursor
// cell and the horizontal offset. The window paints from here and forwards keys, clicks and
// scroll-bar moves. Prepare fills the rows (reading missing program memory from the emulator);
// everything else works on the target model only.
class DisassemblyRows {
public:
  static constexpr int RowCount = 201;
  static constexpr int MaxHOffset = 100;

  enum Modes { SourceMode = 0, MixedMode = 1, DisassemblyMode = 2 };
  // The colour a row's text is drawn in.
  enum class TextKind : uint8_t { Plain, MixedSource, MixedCode };
  struct Row {
    int32_t RowLine = -1; // 1-based source line, or -1
    int32_t RowAddr = -1; // code address, or -1
  };
  // The gutter of one row.
  struct GutterRow {
    bool RunLine = false; // the row has code
    bool BreakPoint = false;
    bool CurrentPC = false;
    int32_t Number = 0; // the line number shown; 0 for none
  };
  enum class Key : uint8_t { Escape, Home, End, Left, Right, Up, Down, PageUp, PageDown, Space };
  enum class Scroll : uint8_t { LineUp, LineDown, PageUp, PageDown, Track, Position, End };

  DisassemblyRows(TCPU& cpu, TCodeValidMap& codeValid, TPort& port, const TOmf& debugInfo,
                  TLongIntList& breakPoints);

  int Mode = DisassemblyMode;
  const TDefModuleInfo* CurModule = nullptr;
  int32_t TopAddr = 0;
  int32_t TopLine = 0;
  std::array<Row, RowCount> Rows{};
  int32_t LastRow = 0;
  int32_t LineHeight = 14;
  int32_t CharWidth = 7;
  int32_t CursorRow = 0;
  int32_t CursorCol = 0;
  int32_t HOffset = 0;
  TLongIntList Anchors;
  int32_t AnchorAddr = 0;
  int32_t AnchorOffset = 0;
  int32_t LastAddr = 0;
  bool ThumbTracking = false;
  int32_t ScrollPosition = 0; // the vertical scroll bar's position
  int32_t PaneWidth = 0;      // the code pane, in pixels
  int32_t PaneHeight = 0;

  // Back to a new window's state, before a new program is loaded.
  void ResetView();
  // With an emulator connected, reads the 128 bytes from the top row's block again.
  void LoadFromTarget();
  // Both true when the value changed (the window then repaints both panes).
  bool SetTopAddr(int32_t address);
  bool SetTopLine(int32_t line);
  // The mode actions: source and mixed mode take the first module with source text.
  void SelectMode(int mode);
  // The top row shows address, which becomes an anchor (show from PC, set display address,
  // the end of a scroll-box drag).
  void SetTopAddress(int32_t address);
  // Brings address into view in the current mode; may fall back to disassembly mode.
  void ShowAddress(uint16_t address);
  // The greatest anchor below address; 0 when there is none.
  int32_t FindAnchor(int32_t address) const;

  // The rows that fit a gutter of that height: when the window is shown, and after a resize.
  void RowsWhenShown(int gutterHeight);
  void RowsWhenResized(int gutterHeight);
  // Fills the rows for painting. With fetch, program memory not yet read from a connected
  // emulator is read first; without it the rows come from the target model only.
  void Prepare(bool fetch);
  const std::string& Text(int row) const { return Texts[static_cast<size_t>(row)]; }
  TextKind Kind(int row) const { return Kinds[static_cast<size_t>(row)]; }
  // The gutter of every row; leaves source and mixed mode without a module.
  GutterRow Gutter(int row);
  std::string Caption() const;
  int ScrollMaximum() const;

  // The cursor row's address; -1 when it has no code.
  int32_t CursorAddress() const;
  // Adds or removes the breakpoint of a row that has code; false when it has none.
  bool ToggleBreakpoint(int row);

  // A key; true when the code pane must be painted again.
  bool Press(Key key);
  // A vertical scroll-bar action; position for Track and Position.
  void ScrollBar(Scroll action, int32_t position = 0);
  // The horizontal scroll bar.
  void SetHOffset(int32_t offset);
  // A click in the code pane moves the cursor there.
  void ClickPane(int x, int y);

private:
  bool SourceUsable() const;
  int32_t LineCount() const;
  int32_t NextInstruction(int32_t address) const;
  // Instructions from 'from' until reaching or passing 'to', at most limit.
  int32_t CountInstructions(int32_t from, int32_t to, int32_t limit) const;
  void ScrollInstructions(int32_t delta);
  void ScrollLines(int32_t delta);
  int32_t SourceRowsShown() const;
  bool PressHorizontal(Key key);
  void PressVertical(Key key);
  void FetchBlock(int32_t address);
  void FillSourceRows();
  void FillMixedRows();
  void FillDisassemblyRows(bool fetch);
  void SetRow(int row, int32_t line, int32_t address, std::string text, TextKind kind);

  TCPU& CPU;
  TCodeValidMap& CodeValid;
  TPort& Port;
  const TOmf& DebugInfo;
  TLongIntList& BreakPoints;
  std::array<std::string, RowCount> Texts;
  std::array<TextKind, RowCount> Kinds{};
};
