#pragma once

#include <array>

struct TOptionBlock;

// The port-selection dialog's state apart from its widgets. The item texts
// carry the blanks the form lays them out with.
class SelectPortForm {
public:
  static constexpr const char* Caption = "选择端口";
  static constexpr std::array<const char*, 6> PortNames = {"串口  1", "串口  2", "串口  3",
                                                           "串口  4", "并口  1", "并口  2"};

  int Port = 0;

  void Show(const TOptionBlock& option);
  // OK; true when the choice differs from what the settings held, so the
  // caller reopens the port.
  bool Accept(TOptionBlock& option) const;
};
