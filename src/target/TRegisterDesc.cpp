#include "TRegisterDesc.h"

#include <algorithm>

void TRegisterDesc::SetName(std::string_view name) {
  const size_t length = std::min(name.size(), MaxNameLength);
  std::fill(std::begin(Name), std::end(Name), '\0');
  std::copy_n(name.data(), length, Name);
  NameLength = static_cast<uint8_t>(length);
}
