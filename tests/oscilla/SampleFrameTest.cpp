#include "SampleFrame.h"
#include "TiScope.h"
#include "TiScopeError.h"

#include <gtest/gtest.h>
#include <vector>

TEST(SampleFrame, AFrameCompletesInTheNotificationThatBringsItsLastByte) {
  SampleFrame frame;
  std::vector<uint8_t> bytes(1027, 7);
  EXPECT_FALSE(frame.StoreBytes(bytes.data(), 1000));
  EXPECT_EQ(frame.SamplePos, 1000);
  EXPECT_TRUE(frame.StoreBytes(bytes.data(), 24));
  EXPECT_EQ(frame.SamplePos, 0);
  bytes[1023] = 9;
  bytes[1024] = 1; // three bytes too many: dropped
  EXPECT_TRUE(frame.StoreBytes(bytes.data(), 1027));
  EXPECT_EQ(frame.SamplePos, 0);
  EXPECT_EQ(frame.SampleBuffer[1023], 9);
  EXPECT_EQ(frame.SampleBuffer[0], 7);
}

TEST(SampleFrame, SingleSamplesAreClampedToAByte) {
  SampleFrame frame;
  for (int32_t v : {300, -5, 35})
    EXPECT_FALSE(frame.StoreSample(v));
  EXPECT_EQ(frame.SampleBuffer[0], 255);
  EXPECT_EQ(frame.SampleBuffer[1], 0);
  EXPECT_EQ(frame.SampleBuffer[2], 35);
  frame.SamplePos = 1023;
  EXPECT_TRUE(frame.StoreSample(1));
  EXPECT_EQ(frame.SamplePos, 0);
}

TEST(SampleFrame, PlotsOneBlockInVoltsAndClearsTheFrame) {
  TiScope scope;
  SampleFrame frame;
  frame.SampleBuffer[0] = 0;
  frame.SampleBuffer[1] = 35;
  frame.SampleBuffer[2] = 255;
  frame.PlotInto(scope);
  const TiPlotDataScopeList& stored = scope.ChannelAt(0).Store;
  ASSERT_EQ(stored.Count(), 1024);
  EXPECT_EQ(stored[0].Value, 0.0f);
  EXPECT_EQ(stored[1].Value, 1.0f);
  EXPECT_EQ(stored[2].Value, static_cast<float>(255 / 35.0));
  EXPECT_EQ(frame.SampleBuffer[2], 0);

  // A refused block still closes and clears; the error goes on to the caller.
  scope.ClearChannels();
  frame.SampleBuffer[5] = 1;
  EXPECT_THROW(frame.PlotInto(scope), TiScopeError);
  EXPECT_EQ(frame.SampleBuffer[5], 0);
  scope.BeginBlock();
}
