#include <gtest/gtest.h>

#include <random>

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/gdiplus/FilterGdiPlus.h"
#include "scene/graphics/gdiplus/Wine_support.h"

namespace {

class CodecEncoders : public testing::Test {
 protected:
  TvxFilterGdiPlus codec;
  TvxBitmap noise{64, 64};

  void SetUp() override {
    UseRasterBackend();
    std::mt19937 random(11);
    for (TvxColor& pixel : noise.Pixels()) pixel = 0xFF000000u | (random() & 0xFFFFFF);
  }
  std::vector<uint8_t> Encode(const std::string& format, const std::string& params) {
    TMemoryStream stream;
    codec.SaveToStream(stream, noise, format, params);
    return stream.Bytes();
  }
};

TEST_F(CodecEncoders, EveryWrittenFormatHasAnInstalledEncoder) {
  for (const char* mime : {"image/png", "image/jpeg", "image/bmp", "image/tiff", "image/gif"}) {
    EXPECT_TRUE(TvxFilterGdiPlus::EncoderOf(mime)) << mime;
  }
  EXPECT_TRUE(TvxFilterGdiPlus::EncoderOf("IMAGE/PNG"));
  EXPECT_FALSE(TvxFilterGdiPlus::EncoderOf("image/webp"));
  EXPECT_FALSE(TvxFilterGdiPlus::EncoderOf(""));
}

// GDI+ writes GIF, so a GIF comes back from the codec.
TEST_F(CodecEncoders, GifIsWritten) {
  const auto gif = Encode("GIF", "");
  ASSERT_GE(gif.size(), 6u);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 3), "GIF");
  EXPECT_EQ(gif.back(), 0x3B);
  if (RunningUnderWine()) GTEST_SKIP() << "wine's GIF encoder writes no image data";
  TvxBitmap copy;
  TMemoryStream stream(gif);
  EXPECT_TRUE(codec.LoadFromStream(stream, copy));
  EXPECT_EQ(copy.Width(), 64);
}

// The quality reaches the JPEG encoder; values beyond 0..100 are held to its ends and
// tokens that are no whole number leave the encoder's default.
TEST_F(CodecEncoders, QualityIsHeldToTheEncodersRange) {
  if (RunningUnderWine()) GTEST_SKIP() << "wine's encoders take no parameters";
  const size_t best = Encode("jpg", "quality=100").size();
  const size_t worst = Encode("jpg", "quality=0").size();
  ASSERT_GT(best, 0u);
  EXPECT_LT(worst, best / 2);
  EXPECT_EQ(Encode("jpg", "quality=101").size(), best);
  EXPECT_EQ(Encode("jpg", "quality=-1").size(), worst);
  const size_t fallback = Encode("jpg", "quality=high").size();
  EXPECT_EQ(Encode("jpg", "").size(), fallback);
  EXPECT_GT(fallback, worst);
  EXPECT_LT(fallback, best);
}

// Formats without quality take the parameter without harm.
TEST_F(CodecEncoders, QualityOnLosslessFormatsChangesNothing) {
  EXPECT_EQ(Encode("png", "quality=5"), Encode("png", ""));
  EXPECT_FALSE(Encode("bmp", "quality=5").empty());
}

}  // namespace
