#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

// Raised for an index, count or capacity outside the list's bounds.
class EListError : public std::out_of_range {
public:
  using std::out_of_range::out_of_range;
};

// Growable list of signed 32-bit integers in insertion order (addresses of
// breakpoints, line tables, run-to targets). Never sorted; duplicates allowed.
class TLongIntList {
public:
  static constexpr int32_t MaxListSize = 0x7FFFFFF;

  int32_t Add(int32_t value);
  int32_t Get(int32_t index) const;
  void Put(int32_t index, int32_t value);
  void Delete(int32_t index);
  int32_t IndexOf(int32_t value) const;
  int32_t Remove(int32_t value);
  void Clear();
  void SetCount(int32_t count);
  void SetCapacity(int32_t capacity);

  int32_t Count() const { return static_cast<int32_t>(Items.size()); }
  int32_t Capacity() const { return Cap; }
  bool Empty() const { return Items.empty(); }
  int32_t operator[](int32_t index) const { return Get(index); }
  const std::vector<int32_t>& Values() const { return Items; }

  bool operator==(const TLongIntList& other) const { return Items == other.Items; }

private:
  void Grow();
  void CheckIndex(int32_t index) const;

  std::vector<int32_t> Items;
  int32_t Cap = 0; // the list's own capacity figure, grown by its own rule
};

bool SameList(const TLongIntList& a, const TLongIntList& b);
