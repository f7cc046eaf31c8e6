#pragma once

#include <cstdint>

// A window's position and size as the settings file stores it.
struct TBounds {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;

  bool operator==(const TBounds&) const = default;
};
