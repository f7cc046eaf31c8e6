// Arbitrary bytes as an Intel HEX file.
#include "HexReader.h"
#include "TCPU.h"
#include "TOmf.h"
#include "UserInterface.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentUserInterface ui;
  static const auto cpu = std::make_unique<TCPU>();
  TOmf omf(*cpu, ui);
  ReadHexText(std::string_view(reinterpret_cast<const char*>(data), size), *cpu, omf);
  return 0;
}
