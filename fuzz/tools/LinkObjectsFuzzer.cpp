// Arbitrary bytes as an object file handed to the linker: read, then linked
// and located with the module it names.
#include "Linker.h"
#include "ObjectReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  omf51::ObjectFile file;
  const std::string error =
      omf51::ReadObjectFile(std::string_view(reinterpret_cast<const char*>(data), size), file);
  if (error.empty()) omf51::Link({file}, omf51::LinkSettings{});
  return 0;
}
