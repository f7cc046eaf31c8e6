// Reads arbitrary bytes as a project file; what was read must survive a save.
#include "AtomicFile.h"
#include "FuzzScratchDir.h"
#include "TProject.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> WithoutEmpty(std::vector<std::string> names) {
  std::erase(names, std::string());
  return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzScratchDir scratch("fuzz-project");
  const fs::path& dir = scratch.Path;
  const std::string in = (dir / "in.PRJ").string();
  const std::string out = (dir / "out.PRJ").string();
  WriteFileAtomically(in, {reinterpret_cast<const char*>(data), size});

  TProject project;
  project.Open(in);
  if (project.SaveToFile(out) != 0) __builtin_trap();
  TProject again;
  again.Open(out);
  if (again.Files != WithoutEmpty(project.Files) ||
      again.LibFiles != WithoutEmpty(project.LibFiles))
    __builtin_trap();
  project.Clear();
  again.Clear();
  return 0;
}
