#include "TLongIntList.h"

#include <string>

namespace {

[[noreturn]] void RaiseListError(const char* format, int32_t value) {
  std::string text(format);
  text.replace(text.find("%d"), 2, std::to_string(value));
  throw EListError(text);
}

} // namespace

int32_t TLongIntList::Add(int32_t value) {
  if (Count() > 0x3FFFFF5) return -1;
  if (Count() == Cap) Grow();
  Items.push_back(value);
  return Count() - 1;
}

void TLongIntList::Grow() {
  int32_t delta = 4;
  if (Cap > 64)
    delta = Cap / 4;
  else if (Cap > 8)
    delta = 16;
  SetCapacity(Cap + delta);
}

void TLongIntList::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count()) RaiseListError("List index out of bounds (%d)", index);
}

int32_t TLongIntList::Get(int32_t index) const {
  CheckIndex(index);
  return Items[static_cast<size_t>(index)];
}

void TLongIntList::Put(int32_t index, int32_t value) {
  CheckIndex(index);
  Items[static_cast<size_t>(index)] = value;
}

void TLongIntList::Delete(int32_t index) {
  CheckIndex(index);
  Items.erase(Items.begin() + index);
}

int32_t TLongIntList::IndexOf(int32_t value) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (Items[static_cast<size_t>(i)] == value) return i;
  return -1;
}

int32_t TLongIntList::Remove(int32_t value) {
  const int32_t index = IndexOf(value);
  if (index >= 0) Delete(index);
  return index;
}

void TLongIntList::Clear() {
  Items.clear();
  Items.shrink_to_fit();
  Cap = 0;
}

void TLongIntList::SetCount(int32_t count) {
  if (count < 0 || count > MaxListSize) RaiseListError("List count out of bounds (%d)", count);
  if (count > Cap) SetCapacity(count);
  Items.resize(static_cast<size_t>(count), 0);
}

void TLongIntList::SetCapacity(int32_t capacity) {
  if (capacity < Count() || capacity > MaxListSize)
    RaiseListError("List capacity out of bounds (%d)", capacity);
  Cap = capacity;
  Items.reserve(static_cast<size_t>(capacity));
}

bool SameList(const TLongIntList& a, const TLongIntList& b) {
  return a == b;
}
