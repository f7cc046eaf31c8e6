#include "DisassemblyListing.h"

#include "AtomicFile.h"
#include "TCPU.h"
#include "UserInterface.h"

namespace {

// Column boundaries of a disassembler line: address, code bytes, instruction.
constexpr size_t CodeColumn = 7;
constexpr size_t AsmColumn = 19;

} // namespace

std::string DisassemblyListing(const TCPU& cpu, uint16_t start, uint16_t end,
                               const ListColumns& columns) {
  std::string listing;
  std::string line;
  uint32_t address = start;
  while (address <= end) {
    const uint32_t next = cpu.Disassemble(static_cast<uint16_t>(address), line);
    if (columns.Address) listing += line.substr(0, CodeColumn);
    if (columns.Code) listing += line.substr(CodeColumn, AsmColumn - CodeColumn);
    if (columns.Asm) listing += line.substr(AsmColumn);
    listing += "\r\n";
    // The next address wraps to a lower one only after the last instruction.
    if (next <= address) break;
    address = next;
  }
  return listing;
}

bool WriteListingFile(const std::string& fileName, const std::string& listing, UserInterface& ui) {
  std::string why;
  if (!WriteFileAtomically(fileName, listing, &why)) {
    ui.Message("不能保存文件：" + fileName + " (" + why + ")");
    return false;
  }
  ui.Message("列表文件已经生成");
  return true;
}
