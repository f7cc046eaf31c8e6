#include "RegisterCells.h"

#include "RegisterText.h"
#include "TCPU.h"
#include "TPort.h"
#include "TargetView.h"
#include "TextEncoding.h"

#include <cstdio>

namespace {

constexpr int PCNameTag = 2000;
constexpr int PCValueTag = 3000;
constexpr int ValueTagBase = 1000;

std::string Hex2(int i) {
  char text[8];
  std::snprintf(text, sizeof text, "%.2X", i & 0xFF);
  return text;
}

} // namespace

std::string RegisterCells::NameText(std::string_view stored) {
  return DecodeText(stored).Utf8;
}

RegisterCells::RegisterCells(const ViewTarget& target) : Target(target) {
  List.push_back({RegisterCell::PCName, -1, PCNameTag, "Msc51PC", "PC"});
  List.push_back({RegisterCell::PCValue, -1, PCValueTag, "Msc51PCR", {}});
  const std::vector<TRegisterDesc>& registers = target.CPU.Registers;
  for (size_t i = 0; i < registers.size(); ++i) {
    if (registers[i].Visible != 1) continue;
    const int index = static_cast<int>(i);
    const std::string name = NameText(registers[i].GetName());
    List.push_back({RegisterCell::Name, index, index, "B" + name + Hex2(index), name});
    List.push_back(
        {RegisterCell::Value, index, ValueTagBase + index, "R" + name + Hex2(index), {}});
  }
}

int RegisterCells::PerRow(int clientWidth) {
  const int perRow = clientWidth / ColumnStep / 2 * 2;
  return perRow < 1 ? 1 : perRow;
}

void RegisterCells::Layout(int clientWidth) {
  const int perRow = PerRow(clientWidth);
  for (size_t k = 0; k < List.size(); ++k) {
    const int n = static_cast<int>(k);
    List[k].Left = n % perRow * ColumnStep + 8;
    List[k].Top = n / perRow * RowStep + 3;
  }
}

void RegisterCells::LoadFromTarget() {
  if (!Target.Port.IsOpen()) return;
  const std::bitset<128> set = RegistersToRead(Target.CPU.Registers, true);
  if (set.any()) Target.Port.ReadSfrs(set);
  UpdateCells();
}

bool RegisterCells::IsPair(const RegisterCell& cell) const {
  return cell.Index >= 0 && Target.CPU.Registers[static_cast<size_t>(cell.Index)].IsPair;
}

uint16_t RegisterCells::ValueOf(const RegisterCell& cell, bool previous) {
  TCPU& cpu = previous ? Target.PrevCPU : Target.CPU;
  if (cell.Index < 0) return cpu.PC;
  // The snapshot's list is rebuilt with the target's; a shorter one shows no change.
  if (static_cast<size_t>(cell.Index) >= cpu.Registers.size()) return ValueOf(cell, false);
  return cpu.GetRegisterValue(cell.Index);
}

void RegisterCells::UpdateCells() {
  for (RegisterCell& cell : List) {
    if (cell.IsNameCell()) continue;
    const uint16_t v = ValueOf(cell, false);
    cell.Caption =
        cell.Index < 0
            ? PCText(v)
            : RegisterValueText(Target.CPU.Registers[static_cast<size_t>(cell.Index)], v);
    cell.CaptionChanged = v != ValueOf(cell, true);
  }
}

uint16_t RegisterCells::CurrentValue(const RegisterCell& nameCell) {
  return ValueOf(nameCell, false);
}

void RegisterCells::EditValue(const RegisterCell& nameCell, uint16_t value) {
  if (nameCell.Index < 0) {
    // The emulator gets the PC with the register state of the next run or step.
    Target.CPU.PC = value;
    if (Target.Disassembly) Target.Disassembly->RepaintGutter();
  } else {
    Target.CPU.SetRegisterValue(nameCell.Index, value);
  }
  UpdateCells();
}

std::string RegisterCells::ValueToolTip(const RegisterCell& valueCell) {
  const uint16_t v = ValueOf(valueCell, false);
  const int bits = valueCell.Index < 0 || IsPair(valueCell) ? 16 : 8;
  char text[64];
  std::snprintf(text, sizeof text, bits == 16 ? "%.4XH = %u = " : "%.2XH = %u = ", v, v);
  std::string tip = text;
  for (int b = bits - 1; b >= 0; --b)
    tip += (v >> b & 1) ? '1' : '0';
  return tip + "B";
}
