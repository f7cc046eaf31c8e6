#include "MonitorImages.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(MonitorImages, BuiltInImagesHaveTheMonitorsSizesAndDiffer) {
  const TMonitorImages images;
  const size_t sizes[] = {1853, 1977, 4 * 1853, 1853, 1786, 1853};
  for (int i = 0; i < TMonitorImages::Count; ++i)
    EXPECT_EQ(images.Get(static_cast<TMonitorImages::Image>(i)).size(), sizes[i]) << i;
  const auto m1 = images.Get(TMonitorImages::M1), m4 = images.Get(TMonitorImages::M4);
  EXPECT_FALSE(std::equal(m1.begin(), m1.end(), m4.begin()));
  const auto v0 = images.M3Variant(0), v3 = images.M3Variant(3);
  EXPECT_EQ(v3.size(), 1853u);
  EXPECT_EQ(v3.data(), v0.data() + 3 * 1853);
}

TEST(MonitorImages, AFolderReplacesImagesOfTheRightSizeOnly) {
  TempDir dir;
  dir.Write("m1.bin", std::string(1853, '\x11'));
  dir.Write("M5.BIN", std::string(1785, '\x55'));
  TMonitorImages images;
  const auto builtInM5 = std::vector<uint8_t>(images.Get(TMonitorImages::M5).begin(),
                                              images.Get(TMonitorImages::M5).end());
  const std::vector<std::string> messages = images.LoadFolder(dir.Path);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("M5.BIN"), std::string::npos);
  EXPECT_NE(messages[0].find("1786"), std::string::npos);
  EXPECT_EQ(images.Get(TMonitorImages::M1)[1852], 0x11);
  EXPECT_TRUE(
      std::equal(builtInM5.begin(), builtInM5.end(), images.Get(TMonitorImages::M5).begin()));
}

} // namespace
