// Starts with arbitrary bytes as the settings file, then checks that what was
// read survives a save and a reload.
#include "AtomicFile.h"
#include "FuzzScratchDir.h"
#include "TCPU.h"
#include "TOption.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

bool SameRegisters(const std::vector<TRegisterDesc>& a, const std::vector<TRegisterDesc>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(TRegisterDesc)) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzScratchDir scratch("fuzz-settings");
  const fs::path& dir = scratch.Path;
  static const fs::path startCwd = fs::current_path();
  // An odd first byte puts the rest after a valid block, so the records are
  // reached without the fuzzer having to find the signature first.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[0] & 1)) bytes = TOptionBlock().Encode() + bytes.substr(1);
  WriteFileAtomically(dir / TOption::FileBaseName, bytes);

  auto cpu = std::make_unique<TCPU>();
  auto prev = std::make_unique<TCPU>();
  {
    TOption option(*cpu, *prev, dir);
    for (const TRegisterDesc& desc : cpu->Registers)
      if (desc.GetName().size() > TRegisterDesc::MaxNameLength) __builtin_trap();
    const std::vector<TRegisterDesc> registers = cpu->Registers;
    const std::string other = option.ASM_Other + '|' + option.C_Other + '|' + option.LinkOther +
                              '|' + option.BINPath + '|' + option.INCPath + '|' + option.LIBPath;
    const std::string copy = (dir / "copy.dsk").string();
    if (option.SaveToFile(copy) != 0) __builtin_trap();
    cpu->ClearRegisters();
    prev->ClearRegisters();
    if (option.LoadFromFile(copy) != 0) __builtin_trap();
    if (!SameRegisters(cpu->Registers, registers) || !SameRegisters(prev->Registers, registers))
      __builtin_trap();
    if (other != option.ASM_Other + '|' + option.C_Other + '|' + option.LinkOther + '|' +
                     option.BINPath + '|' + option.INCPath + '|' + option.LIBPath)
      __builtin_trap();
  }
  // A record may have moved the current directory; the fuzzer's corpus paths are relative.
  fs::current_path(startCwd);
  return 0;
}
