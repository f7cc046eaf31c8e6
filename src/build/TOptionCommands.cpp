#include "TOption.h"

#include "UserInterface.h"

#include <algorithm>
#include <iterator>

namespace {

std::string RegisterBankText(uint8_t bank) {
  return "RB(" + std::to_string(bank) + ")";
}

// A model number no dialog offers (a damaged settings file) builds SMALL.
const char* MemoryModelText(uint8_t model) {
  static constexpr const char* Texts[] = {"SM", "CP", "LA"};
  return model < std::size(Texts) ? Texts[model] : Texts[0];
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return upper;
}

} // namespace

std::optional<std::string> TOption::CompileCommand(const std::string& fileName,
                                                   const PathConventions& paths,
                                                   UserInterface& ui) const {
  const std::string ext = UpperAscii(paths.Extension(fileName));
  const std::string base = paths.Base(fileName);
  if (ext == ".ASM")
    return paths.ToolPath(BINPath, "A51") + " " + fileName + " DB SB XR " +
           RegisterBankText(ASM_RegisterBank) + " PR(" + base + ".LST) " + ASM_Other + " OJ(" +
           base + ".o)";
  // The C line has no blank before C_Other, unlike the assembler's.
  if (ext == ".C")
    return paths.ToolPath(BINPath, "C51") + " " + fileName + " DB OE " +
           RegisterBankText(C_RegisterBank) + " OT(" + std::to_string(C_Optimize) + ") " +
           MemoryModelText(C_Compile) + " PR(" + base + ".LST)" + C_Other + " OJ(" + base + ".o)";
  ui.Message("文件" + fileName + "不是 ASM,C 两种类型之一");
  return std::nullopt;
}

std::string TOption::LinkCommand(const std::string& fileName, const std::vector<std::string>& files,
                                 const PathConventions& paths) const {
  std::string line = paths.ToolPath(BINPath, "L51") + " ";
  for (const std::string& file : files)
    line += paths.Base(file) + ".o,";
  for (const std::string& lib : LibName)
    line += lib + ",";
  // Drops the last comma, or the blank after the linker when there is nothing to link.
  line.pop_back();
  return line + " to " + paths.Base(fileName) + ".OMF " + LinkOther;
}

std::string TOption::HexCommand(const std::string& fileName, const PathConventions& paths) const {
  return paths.ToolPath(BINPath, "OH51") + " " + paths.Base(fileName) + ".omf";
}
