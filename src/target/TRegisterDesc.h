#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One entry of the register window's list. The settings file stores it byte
// for byte, so the 14-byte layout is fixed.
struct TRegisterDesc {
  static constexpr size_t MaxNameLength = 9;

  uint8_t NameLength = 0;
  char Name[MaxNameLength] = {};
  uint8_t IsPair = 0;
  uint8_t AddrHigh = 0; // direct address of the high byte of a pair
  uint8_t Addr = 0;     // below 20H: register Rn (Addr AND 7) of the current bank
  uint8_t Visible = 0;

  std::string_view GetName() const { return {Name, NameLength}; }
  void SetName(std::string_view name);
};

static_assert(sizeof(TRegisterDesc) == 14, "TRegisterDesc is stored byte for byte");
