#include "AsmListing.h"
#include "AtomicFile.h"
#include "FileLookup.h"
#include "HexReader.h"
#include "OmfWalker.h"
#include "ProgramMemory.h"
#include "SourceText.h"
#include "TCPU.h"
#include "TOmf.h"
#include "UserInterface.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr const char* FileTypeNotDefined = "文件类型没有定义";
constexpr const char* FileTooLarge = "文件太大，不能装入";

std::string CannotRead(std::string_view name) {
  return "无法读取文件：" + std::string(name);
}

std::string HexPastImage(int line) {
  char text[160];
  std::snprintf(text, sizeof text,
                "HEX 文件第 %d 行的数据超出 64 KB 程序存储器，超出的数据没有装入", line);
  return text;
}

std::string HexBadLine(int line) {
  char text[160];
  std::snprintf(text, sizeof text,
                "HEX 文件第 %d 行不是有效的记录（冒号、长度或校验和不对），无效的记录没有装入",
                line);
  return text;
}

constexpr const char* HexWithoutData = "HEX 文件里没有数据记录，什么也没有装入";

// Program files are read whole; one this large is no program for a 64 KB target.
constexpr uintmax_t MaxProgramFileSize = 64u << 20;

} // namespace

bool TOmf::RefusedAsTooLarge() {
  std::error_code ec;
  if (!fs::is_regular_file(FileName, ec) || fs::file_size(FileName, ec) <= MaxProgramFileSize)
    return false;
  UI.Message(FileTooLarge);
  return true;
}

int TOmf::LoadFile(const std::string& fileName) {
  if (ResetDisassembly) ResetDisassembly();
  Clear();
  // The linker writes DEMO.OMF where the build asks for DEMO.omf.
  const auto found = FindFileIgnoringCase(fileName);
  FileName = found ? found->string() : fileName;
  const std::string ext = UpperExtension(fileName);
  int result = -1;
  if (ext == ".HEX") {
    FileKind = fkHex;
    result = LoadHex();
  } else if (ext == ".BIN") {
    FileKind = fkBin;
    result = LoadBin();
  } else if (ext == ".OMF" || ext == ".O" || ext == ".OBJ") {
    FileKind = fkOmf;
    result = LoadOmf();
    if (result == 0) BuildLineAddrs();
  } else {
    UI.Message(FileTypeNotDefined);
  }
  if (result == 0) CPU.PC = StartAddr;
  if (Loaded) Loaded();
  return result;
}

int TOmf::LoadHex() {
  std::string text;
  if (RefusedAsTooLarge()) return -1;
  if (!ReadWholeFile(FileName, text)) {
    UI.Message(CannotRead(FileName));
    return -1;
  }
  const HexReadResult read = ReadHexText(text, CPU, *this);
  if (read.FirstBad) UI.Message(HexBadLine(read.FirstBad));
  if (read.FirstOutside) UI.Message(HexPastImage(read.FirstOutside));
  if (read.DataRecords == 0) {
    UI.Message(HexWithoutData);
    return -1;
  }
  return 0;
}

int TOmf::LoadBin() {
  const std::optional<uint16_t> address = UI.AskAddress(0, false);
  if (!address) return 0;
  // The size is checked before reading, so a huge file is never read whole.
  std::error_code ec;
  const uintmax_t size = fs::file_size(FileName, ec);
  if (ec) return -1;
  std::string bytes;
  if (*address + size < 0x10000 && !ReadWholeFile(FileName, bytes)) return -1;
  if (*address + std::max<uintmax_t>(size, bytes.size()) >= 0x10000) {
    UI.Message(FileTooLarge);
    return -1;
  }
  StoreCode(CPU, *address, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  StartAddr = *address;
  EndAddr = static_cast<uint16_t>(*address + bytes.size() - 1);
  return 0;
}

int TOmf::LoadOmf() {
  std::string bytes;
  if (RefusedAsTooLarge() || !ReadWholeFile(FileName, bytes)) return -1;
  OmfWalker walker(*this, CPU);
  walker.Walk(bytes);
  if (!walker.Fault().empty()) UI.Message(walker.Fault());
  if (!LoadModuleSources()) return -1;
  for (const auto& module : Modules)
    if (module->Lines.Count() >= 2) module->RemoveDuplicateLineAddresses();
  return 0;
}

bool TOmf::LoadModuleSources() {
  const fs::path objectDir = fs::path(FileName).parent_path();
  for (const auto& module : Modules) {
    if (module->SourceKind == stNone) continue;
    const bool listing =
        module->SourceKind == stASM && UpperExtension(module->SourceName) == ".LST";
    // The walk's line-number items locate the listing's relocatable lines.
    TLongIntList lineItems;
    if (listing) std::swap(lineItems, module->Lines);
    std::string bytes;
    const auto path = ResolveRecordedName(module->SourceName, objectDir);
    if (!path || !ReadWholeFile(*path, bytes)) {
      UI.Message(CannotRead(module->SourceName));
      return false;
    }
    if (listing)
      ReadAsmListing(bytes, module->SourceLines, module->Lines,
                     lineItems.Empty() ? nullptr : &lineItems);
    else
      module->SourceLines = ReadSourceText(bytes);
  }
  return true;
}
