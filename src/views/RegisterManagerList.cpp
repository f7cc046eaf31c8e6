#include "RegisterManagerList.h"

#include "HexText.h"
#include "RegisterCells.h"
#include "TextEncoding.h"

#include <cstdio>

namespace {

constexpr size_t NameCharacters = 9;

// Length of the UTF-8 sequence that starts with this byte.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  return 2;
}

size_t CharacterCount(std::string_view utf8) {
  size_t n = 0;
  for (size_t i = 0; i < utf8.size(); i += SequenceLength(static_cast<unsigned char>(utf8[i])))
    ++n;
  return n;
}

std::string FirstCharacters(std::string_view utf8, size_t count) {
  size_t i = 0;
  for (size_t n = 0; n < count && i < utf8.size(); ++n)
    i += SequenceLength(static_cast<unsigned char>(utf8[i]));
  return std::string(utf8.substr(0, std::min(i, utf8.size())));
}

} // namespace

std::string RegisterManagerList::Line(const TRegisterDesc& desc) {
  std::string line = RegisterCells::NameText(desc.GetName());
  const size_t shown = CharacterCount(line);
  if (shown < NameCharacters) line.append(NameCharacters - shown, ' ');
  char text[32];
  std::snprintf(text, sizeof text, " %.2X(L)", desc.Addr);
  line += text;
  if (desc.IsPair) {
    std::snprintf(text, sizeof text, ", %.2X(H)", desc.AddrHigh);
    line += text;
  }
  return line;
}

std::vector<std::string> RegisterManagerList::Lines() const {
  std::vector<std::string> lines;
  for (const TRegisterDesc& desc : Records)
    lines.push_back(Line(desc));
  return lines;
}

void RegisterManagerList::StoreChecks(const std::vector<bool>& checks) {
  for (size_t i = 0; i < Records.size() && i < checks.size(); ++i)
    Records[i].Visible = checks[i] ? 1 : 0;
}

std::string RegisterManagerList::StoredName(std::string_view name) {
  const std::string gbk = Utf8ToGbk(FirstCharacters(name, NameCharacters));
  size_t end = 0;
  while (end < gbk.size()) {
    // GBK lead bytes from 81H start a two-byte character.
    const size_t length = static_cast<unsigned char>(gbk[end]) >= 0x81 ? 2 : 1;
    if (end + length > TRegisterDesc::MaxNameLength || end + length > gbk.size()) break;
    end += length;
  }
  return gbk.substr(0, end);
}

TRegisterDesc RegisterManagerList::FromTexts(std::string_view name, int lengthItem,
                                             std::string_view addrL, std::string_view addrH) {
  TRegisterDesc desc;
  desc.SetName(StoredName(name));
  desc.IsPair = lengthItem == 1 ? 1 : 0;
  desc.AddrHigh = static_cast<uint8_t>(HexToInt(addrH) & 0xFF);
  desc.Addr = static_cast<uint8_t>(HexToInt(addrL) & 0xFF);
  desc.Visible = 1;
  return desc;
}
