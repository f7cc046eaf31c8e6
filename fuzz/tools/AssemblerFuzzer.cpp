// Arbitrary bytes as an assembler source: read with its includes, assembled,
// listed and, without errors, written as an object.
#include "../build/FuzzScratchDir.h"
#include "Assembler.h"
#include "ListingWriter.h"
#include "ObjectWriter.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzScratchDir scratch("fuzz-assembler");
  const std::string path = (scratch.Path / "FUZZ.ASM").string();
  // A plain write: the source is read back at once, and an fsync per run
  // would slow the fuzzer tenfold.
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  omf51::SourceText source;
  if (!omf51::ReadSource(path, {}, source)) return 0;
  const omf51::AsmModule module = omf51::Assembler(source, "FUZZ", 0).Run();
  omf51::ListingOptions options;
  options.SourceName = path;
  omf51::WriteListing(source, module, options);
  if (module.Errors == 0) omf51::WriteRelocatableObject(module, true, "FUZZ.LST");
  return 0;
}
