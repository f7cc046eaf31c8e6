#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The sample store of one channel: single-precision values, each with the
// percentage the trigger search gives it, in arrival order. Capacity grows by a
// quarter above 64 items, by 16 above 8, else by 4.
class TiPlotDataScopeList {
public:
  struct TItem {
    float Value;
    float Percent;
  };

  void Add(float value);
  // Removes the `count` oldest items.
  void Delete(int64_t count);
  void Clear();
  int Count() const { return static_cast<int>(Items.size()); }
  int Capacity() const { return static_cast<int>(Items.capacity()); }
  void SetCapacity(int64_t capacity);
  TItem& operator[](int index) { return Items[static_cast<size_t>(index)]; }
  const TItem& operator[](int index) const { return Items[static_cast<size_t>(index)]; }

private:
  std::vector<TItem> Items;
};
