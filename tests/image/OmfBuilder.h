#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Writes OMF-51 object files byte for byte, with correct record lengths and
// checksums, in both shapes the loader meets: the classic one (12H debug
// items, 24H naming a listing or a C source) and today's (70H tool records
// first, every debug item in 22H, 24H naming the sources, 60H-64H before the
// module end).
class OmfBuilder {
public:
  struct Symbol {
    std::string Name;
    uint16_t Addr = 0;
    uint8_t Region = 0;
    uint8_t Type = 0;
    uint8_t Attrib = 0;
  };
  struct Line {
    uint16_t Addr;
    uint16_t Number;
  };

  enum : uint8_t { DebugItems = 0x12, ExtensionItems = 0x22 };
  enum : uint8_t { LocalSymbols = 0, PublicSymbols = 1, SegmentSymbols = 2, LineNumbers = 3 };

  // Any record: type, length, content, checksum.
  OmfBuilder& Record(uint8_t type, std::string_view content) {
    const size_t length = content.size() + 1;
    std::string record;
    record += static_cast<char>(type);
    record += static_cast<char>(length & 0xFF);
    record += static_cast<char>(length >> 8);
    record += content;
    uint8_t sum = 0;
    for (char c : record)
      sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
    record += static_cast<char>(-sum);
    Bytes += record;
    return *this;
  }

  OmfBuilder& ModuleHeader(std::string_view name) {
    return Record(0x02, Cat(Name(name), '\xFF', '\0'));
  }
  OmfBuilder& ModuleEnd(std::string_view name) {
    return Record(0x04, Cat(Name(name), '\0', '\0', '\x01', '\0'));
  }
  OmfBuilder& Content(uint16_t addr, const std::vector<uint8_t>& data) {
    std::string content = Cat('\0', Word(addr));
    content.append(data.begin(), data.end());
    return Record(0x06, content);
  }
  OmfBuilder& Scope(uint8_t blockType, std::string_view name = "") {
    return Record(0x10, Cat(static_cast<char>(blockType), Name(name)));
  }
  OmfBuilder& BeginModule(std::string_view name) { return Scope(0, name); }
  OmfBuilder& BeginBlock() { return Scope(1); }
  OmfBuilder& BeginProcedure(std::string_view name) { return Scope(2, name); }
  OmfBuilder& EndModule(std::string_view name) { return Scope(3, name); }
  OmfBuilder& EndBlock() { return Scope(4); }
  OmfBuilder& EndProcedure(std::string_view name) { return Scope(5, name); }

  OmfBuilder& Symbols(uint8_t recordType, uint8_t itemType, std::initializer_list<Symbol> items) {
    std::string content(1, static_cast<char>(itemType));
    for (const Symbol& s : items) {
      content += Cat(static_cast<char>(s.Attrib), static_cast<char>(s.Region), Word(s.Addr),
                     static_cast<char>(s.Type), Name(s.Name));
    }
    return Record(recordType, content);
  }
  OmfBuilder& Lines(uint8_t recordType, std::initializer_list<Line> items) {
    std::string content(1, static_cast<char>(LineNumbers));
    for (const Line& l : items)
      content += Cat('\0', Word(l.Addr), Word(l.Number));
    return Record(recordType, content);
  }
  OmfBuilder& SourceName(std::string_view name) {
    return Record(0x24, Cat('\0', '\0', '\0', Name(name)));
  }
  // What today's tool chains put first: the command line and file stamps.
  OmfBuilder& ToolRecord(std::string_view text) { return Record(0x70, text); }
  // Source-browser data that today's compilers leave before the module end.
  OmfBuilder& BrowserRecords() {
    for (uint8_t type = 0x60; type <= 0x64; ++type)
      Record(type, std::string("\x01\x02\x03", 3));
    return *this;
  }

  std::string Bytes;

  // Pieces (characters and texts) one after the other.
  template <typename... Pieces> static std::string Cat(const Pieces&... pieces) {
    std::string out;
    ((out += pieces), ...);
    return out;
  }
  static std::string Name(std::string_view name) {
    std::string field(1, static_cast<char>(name.size()));
    field += name;
    return field;
  }
  static std::string Word(uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  }
};
