#pragma once

#include "OmfRecord.h"

#include <optional>
#include <string>

namespace omf51 {

// Keeps list records (segments, symbols, fixups, lines) to a modest size by
// starting a new record when the next item would pass the limit.
class ItemRecords {
public:
  ItemRecords(std::string& file, uint8_t type, std::optional<uint8_t> lead = std::nullopt)
      : File(file), Type(type), Lead(lead), Current(type) {}
  ~ItemRecords() { Flush(); }
  ItemRecords(const ItemRecords&) = delete;
  ItemRecords& operator=(const ItemRecords&) = delete;

  OmfRecord& Item(size_t size) {
    if (Open && Current.ContentSize() + size > Limit) Flush();
    if (!Open) {
      Current = OmfRecord(Type);
      if (Lead) Current.Byte(*Lead);
      Open = true;
    }
    return Current;
  }

private:
  void Flush() {
    if (Open) Current.AppendTo(File);
    Open = false;
  }
  static constexpr size_t Limit = 1000;
  std::string& File;
  uint8_t Type;
  std::optional<uint8_t> Lead;
  OmfRecord Current;
  bool Open = false;
};

} // namespace omf51
