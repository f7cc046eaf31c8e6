#pragma once

#include <array>

struct TOptionBlock;

// The emulator-mode dialog's state and rules, apart from its widgets: which
// CPU, RAM and ROM options are chosen, how P3.6 and P3.7 are used, and which
// controls are enabled.
class EmulatorModeForm {
public:
  static constexpr const char* Caption = "仿真模式";
  static constexpr std::array<const char*, 6> CpuNames = {"8031/8032",  "80C552",     "1051/2051",
                                                          "8751/89C51", "8752/89C52", "80C320"};
  static constexpr std::array<const char*, 2> RamNames = {"用户 RAM", "系统 RAM"};
  static constexpr std::array<const char*, 2> RomNames = {"用户 ROM", "系统 ROM"};
  static constexpr const char* P36Text = "设P3.6为I/O或WR（勾=I/O）";
  static constexpr const char* P37Text = "设P3.7为I/O或RD（勾=I/O）";
  static constexpr int UserRam = 0;

  int Cpu = 0;
  int Ram = 0;
  int Rom = 0;
  bool P36 = false; // checked: the pin is plain I/O, not the WR strobe
  bool P37 = false; // checked: plain I/O, not the RD strobe
  bool P36Enabled = false;
  bool P37Enabled = false;
  bool RamEnabled = true;

  // Takes the settings, then applies the CPU rule.
  void Show(const TOptionBlock& option);
  // A click in the CPU list.
  void SelectCpu(int index);
  // A click on either check box, after its mark changed.
  void CheckBoxClicked();
  // OK: the choices go into the settings.
  void Accept(TOptionBlock& option) const;

private:
  void ApplyCpuRule();
  void ApplyCheckBoxRule();
};
