#include "TLongIntList.h"

#include <functional>

#include <gtest/gtest.h>

TEST(TLongIntList, AddKeepsInsertionOrderAndDuplicates) {
  TLongIntList list;
  for (int32_t v : {5, 3, 5, -1})
    list.Add(v);
  EXPECT_EQ(list.Values(), (std::vector<int32_t>{5, 3, 5, -1}));
  EXPECT_EQ(list.IndexOf(5), 0);
  EXPECT_EQ(list.IndexOf(7), -1);
  EXPECT_EQ(list.Remove(5), 0);
  EXPECT_EQ(list.Values(), (std::vector<int32_t>{3, 5, -1}));
  EXPECT_EQ(list.Remove(42), -1);
}

TEST(TLongIntList, CapacityGrowsByFourThenSixteenThenAQuarter) {
  TLongIntList list;
  std::vector<int32_t> capacities;
  for (int i = 0; i < 200; ++i) {
    list.Add(i);
    if (capacities.empty() || capacities.back() != list.Capacity())
      capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147, 183, 228}));
}

TEST(TLongIntList, OutOfBoundsRaisesListErrorWithTheValue) {
  TLongIntList list;
  list.Add(1);
  struct Case {
    std::function<void()> Call;
    const char* Text;
  };
  const Case cases[] = {
      {[&] { list.Get(1); }, "List index out of bounds (1)"},
      {[&] { list.Put(-1, 0); }, "List index out of bounds (-1)"},
      {[&] { list.Delete(3); }, "List index out of bounds (3)"},
      {[&] { list.SetCount(-2); }, "List count out of bounds (-2)"},
      {[&] { list.SetCount(0x8000000); }, "List count out of bounds (134217728)"},
      {[&] { list.SetCapacity(0); }, "List capacity out of bounds (0)"},
  };
  for (const Case& c : cases) {
    try {
      c.Call();
      ADD_FAILURE() << "no error for " << c.Text;
    } catch (const EListError& e) {
      EXPECT_STREQ(e.what(), c.Text);
    }
  }
}

TEST(TLongIntList, SetCountFillsWithZeroAndClearEmptiesCapacity) {
  TLongIntList list;
  list.Add(9);
  list.SetCount(3);
  EXPECT_EQ(list.Values(), (std::vector<int32_t>{9, 0, 0}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
}

TEST(TLongIntList, SameListComparesCountAndOrder) {
  TLongIntList a, b;
  a.Add(1);
  a.Add(2);
  b.Add(2);
  b.Add(1);
  EXPECT_FALSE(SameList(a, b));
  b.Clear();
  b.Add(1);
  b.Add(2);
  EXPECT_TRUE(SameList(a, b));
  b.Add(3);
  EXPECT_FALSE(SameList(a, b));
}
