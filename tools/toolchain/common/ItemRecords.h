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
      : File(file), Type(type), Lead(lead) {}
  ~ItemRecords() { Flush(); }
  ItemRecords(const ItemRecords&) = delete;
  ItemRecords& operator=(const ItemRecords&) = delete;

  OmfRecord& Item(size_t size) {
    if (Current && Current->ContentSize() + size > Limit) Flush();
    if (!Current) {
      Current.emplace(Type);
      if (Lead) Current->Byte(*Lead);
    }
    return *Current;
  }

private:
  void Flush() {
    if (Current) Current->AppendTo(File);
    Current.reset();
  }
  static constexpr size_t Limit = 1000;
  std::string& File;
  uint8_t Type;
  std::optional<uint8_t> Lead;
  std::optional<OmfRecord> Current;
};

} // namespace omf51
