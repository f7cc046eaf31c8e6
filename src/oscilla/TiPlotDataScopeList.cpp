#include "TiPlotDataScopeList.h"

#include "TiScopeError.h"

void TiPlotDataScopeList::SetCapacity(int64_t capacity) {
  if (capacity * static_cast<int64_t>(sizeof(TItem)) > 2147483647)
    throw TiScopeError("Exceed Maximum List Size");
  if (capacity <= Capacity()) return;
  // reserve() may round up; the growth rule stays ours because it asks for exact sizes.
  Items.reserve(static_cast<size_t>(capacity));
}

void TiPlotDataScopeList::Add(float value) {
  const int capacity = Capacity();
  if (Count() == capacity)
    SetCapacity(capacity + (capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4));
  Items.push_back({value, 0});
}

void TiPlotDataScopeList::Delete(int64_t count) {
  if (count < 0 || count > Count()) throw TiScopeError("Delete size out of Range");
  Items.erase(Items.begin(), Items.begin() + static_cast<std::ptrdiff_t>(count));
}

void TiPlotDataScopeList::Clear() {
  Items.clear();
}
