#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ViewTarget.h"

// One cell of the register window: a raised name cell or the lowered value cell after it.
struct RegisterCell {
  enum Kind { PCName, PCValue, Name, Value };
  Kind CellKind;
  int Index; // the register's index in the list; -1 for the PC cells
  int Tag;   // 2000 PC name, 3000 PC value, i register name, 1000 + i register value
  std::string ComponentName;
  std::string Caption;
  bool CaptionChanged = false;
  int Left = 0;
  int Top = 0;

  bool IsNameCell() const { return CellKind == PCName || CellKind == Name; }
};

// The register window apart from its widgets: the PC and the visible registers of the list as
// name and value cells, their layout, values, changed marks and edits.
class RegisterCells {
public:
  static constexpr int CellWidth = 64;
  static constexpr int CellHeight = 18;
  static constexpr int ColumnStep = 72;
  static constexpr int RowStep = 21;

  // The cells of the registers visible now; a changed list needs a new object.
  explicit RegisterCells(const ViewTarget& target);

  std::vector<RegisterCell>& Cells() { return List; }
  const std::vector<RegisterCell>& Cells() const { return List; }

  // Cells per row for a client width: an even number, at least 1.
  static int PerRow(int clientWidth);
  void Layout(int clientWidth);

  // Reads the visible registers the state block does not carry from a connected emulator,
  // then updates the cells; without an emulator nothing happens.
  void LoadFromTarget();
  // Value captions and changed marks from the target and the snapshot.
  void UpdateCells();

  // The value a name cell edits, and storing an entered one.
  uint16_t CurrentValue(const RegisterCell& nameCell);
  void EditValue(const RegisterCell& nameCell, uint16_t value);

  // A value cell's value in hexadecimal, decimal and binary.
  std::string ValueToolTip(const RegisterCell& valueCell);

  // A register name as shown: names typed in the window are stored in GBK like the settings
  // file, so both are shown decoded.
  static std::string NameText(std::string_view stored);

private:
  uint16_t ValueOf(const RegisterCell& cell, bool previous);
  bool IsPair(const RegisterCell& cell) const;

  ViewTarget Target;
  std::vector<RegisterCell> List;
};
