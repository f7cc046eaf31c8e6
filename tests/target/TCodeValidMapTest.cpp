#include "TCodeValidMap.h"

#include <gtest/gtest.h>

TEST(TCodeValidMap, IsCodeValidTestsTheBlockAfterTheRangeToo) {
  TCodeValidMap map;
  map.SetCodeValid(0x0100, 16, true); // first block 10H, last 11H
  EXPECT_TRUE(map.Block(0x10));
  EXPECT_TRUE(map.Block(0x11));
  EXPECT_TRUE(map.IsCodeValid(0x0100, 7));   // blocks 10H and 11H
  EXPECT_TRUE(map.IsCodeValid(0x0100, 16));  // still 10H and 11H
  EXPECT_FALSE(map.IsCodeValid(0x0100, 17)); // reaches block 12H
}

TEST(TCodeValidMap, SetCodeValidSetsOnlyBlocksStartingInTheRange) {
  TCodeValidMap map;
  map.SetCodeValid(0x0100, 128, true);
  for (int k = 0; k < TCodeValidMap::Blocks; ++k)
    EXPECT_EQ(map.Block(k), k >= 0x10 && k <= 0x18) << k;
  map.SetCodeValid(0x0101, 14, true); // first 11H, last 10H: nothing
  EXPECT_FALSE(map.Block(0x0F));
}

TEST(TCodeValidMap, ClearingTheWholeRangeClearsTheLastBlock) {
  TCodeValidMap map;
  map.SetCodeValid(0, 0xFFFF, true);
  EXPECT_TRUE(map.Block(4095));
  EXPECT_TRUE(map.IsCodeValid(0xFFF0, 7));
  map.SetCodeValid(0, 0xFFFF, false);
  for (int k = 0; k < TCodeValidMap::Blocks; ++k)
    ASSERT_FALSE(map.Block(k)) << k;
}
