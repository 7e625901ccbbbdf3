#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BitmapIconCodec_support.h"
#include "platform/Icon.h"
#include "platform/Resources.h"

namespace {

class AppIconTest : public testing::Test {
 protected:
  static int Alpha(const TIconImage& image, int x, int y) {
    return int(image.pixels[size_t(y) * size_t(image.width) + size_t(x)] >> 24);
  }

 private:
  TBitmapIconCodec codec_;
};

TEST_F(AppIconTest, TheProgramCarriesItsIconInEverySizeDesktopsUse) {
  TIcon icon;
  ASSERT_TRUE(icon.LoadFromData(FindEmbeddedResource("APPICON")));
  std::vector<int> sides;
  for (const TIconImage& image : icon.Images()) {
    EXPECT_EQ(image.width, image.height);
    sides.push_back(image.width);
  }
  EXPECT_EQ(sides, (std::vector<int>{16, 24, 32, 48, 64, 128, 256}));
  EXPECT_EQ(icon.ImageFor(20)->width, 24);
}

TEST_F(AppIconTest, EachImageIsARoundBadgeCentredOnAClearBackground) {
  TIcon icon;
  ASSERT_TRUE(icon.LoadFromData(FindEmbeddedResource("APPICON")));
  for (const TIconImage& image : icon.Images()) {
    const int n = image.width;
    SCOPED_TRACE(n);
    EXPECT_EQ(Alpha(image, 0, 0), 0);
    EXPECT_EQ(Alpha(image, n - 1, n - 1), 0);
    EXPECT_EQ(Alpha(image, n / 2, n / 2), 255);
    // The covered area is as far from the left edge as from the right, and from top and bottom.
    int left = n, top = n, right = -1, bottom = -1;
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x)
        if (Alpha(image, x, y) > 0) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    EXPECT_NEAR(left, n - 1 - right, 1);
    EXPECT_NEAR(top, n - 1 - bottom, 1);
  }
}

}  // namespace
