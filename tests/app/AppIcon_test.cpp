#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Icon.h"
#include "platform/IconCodec.h"
#include "platform/Resources.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/qt/QtBackend.h"

namespace {

// Decodes through the engine's image codec, the one this test program links. Only sizes and
// coverage are looked at, so the colours stay premultiplied.
class TBitmapIconCodec : public IIconCodec {
 public:
  bool Decode(std::span<const uint8_t> data, TIconImage& image) override {
    TMemoryStream stream({data.begin(), data.end()});
    TvxBitmap bitmap;
    if (!bitmap.LoadFromStream(stream)) return false;
    image = {bitmap.Width(), bitmap.Height(), {bitmap.Pixels().begin(), bitmap.Pixels().end()}};
    return true;
  }
  std::string EncodePng(const TIconImage&) override { return {}; }
};

class AppIconTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { UseQtRasterBackend(); }

  AppIconTest() : previous_(InstallIconCodec(&codec_)) {}
  ~AppIconTest() override { InstallIconCodec(previous_); }

  static int Alpha(const TIconImage& image, int x, int y) {
    return int(image.pixels[size_t(y) * size_t(image.width) + size_t(x)] >> 24);
  }

 private:
  TBitmapIconCodec codec_;
  IIconCodec* previous_;
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
