#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Filter.h"
#include "scene/graphics/raster/RasterTesting_support.h"

namespace {

std::vector<uint8_t> Bytes(const TMemoryStream& stream) {
  return stream.Bytes();
}

// A small image with opaque, transparent and half-covered pixels (premultiplied).
void MakeSample(TvxBitmap& bitmap, bool opaque) {
  bitmap.SetSize(5, 3);
  for (int i = 0; i < 15; ++i) {
    bitmap.Pixels()[i] = 0xFF000000u | uint32_t(i * 17) << 16 | uint32_t(255 - i * 17);
  }
  if (!opaque) {
    bitmap.Pixels()[3] = 0;
    bitmap.Pixels()[7] = 0x80800000;  // half-covered pure red
  }
}

class Codec : public testing::Test {
 protected:
  std::unique_ptr<TvxFilter> owned = CreateDefaultFilter();
  TvxFilter& codec = *owned;
  // One folder per test: ctest runs the tests of both builds side by side.
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      (std::string("raster-codec-") +
       testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
       testing::UnitTest::GetInstance()->current_test_info()->name());

  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::vector<uint8_t> Encode(const TvxBitmap& bitmap, const std::string& format,
                              const std::string& params = {}) {
    TMemoryStream stream;
    codec.SaveToStream(stream, bitmap, format, params);
    return Bytes(stream);
  }
  bool Decode(std::vector<uint8_t> bytes, TvxBitmap& bitmap) {
    TMemoryStream stream(std::move(bytes));
    return codec.LoadFromStream(stream, bitmap);
  }
  // UTF-8, as the codec takes file names.
  std::string File(const std::string& name) {
    const std::u8string path = (dir / name).u8string();
    return std::string(path.begin(), path.end());
  }
};

TEST_F(Codec, LosslessFormatsRoundTripExactly) {
  for (const char* format : {"png", "tiff", "TIF"}) {
    TvxBitmap source, copy;
    MakeSample(source, false);
    ASSERT_TRUE(Decode(Encode(source, format), copy)) << format;
    ASSERT_EQ(copy.Width(), 5);
    ASSERT_EQ(copy.Height(), 3);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(copy.Pixels()[i], source.Pixels()[i]) << format << i;
  }
  TvxBitmap source, copy;
  MakeSample(source, true);
  ASSERT_TRUE(Decode(Encode(source, "bmp"), copy));
  for (int i = 0; i < 15; ++i) EXPECT_EQ(copy.Pixels()[i], source.Pixels()[i]) << i;
}

TEST_F(Codec, JpegByAnySpelling) {
  TvxBitmap source(64, 64);
  std::mt19937 random(7);
  for (TvxColor& pixel : source.Pixels()) pixel = 0xFF000000u | (random() & 0xFFFFFF);
  for (const char* format : {"JPG", "jpeg", "Jpg"}) {
    const auto jpeg = Encode(source, format, "quality=90");
    ASSERT_GE(jpeg.size(), 2u) << format;
    EXPECT_EQ(jpeg[0], 0xFF) << format;
    EXPECT_EQ(jpeg[1], 0xD8) << format;
    TvxBitmap copy;
    EXPECT_TRUE(Decode(jpeg, copy)) << format;
    EXPECT_EQ(copy.Width(), 64) << format;
  }
}

TEST_F(Codec, UnknownFormatNamesWritePngAndEmptyBitmapsNothing) {
  TvxBitmap source;
  MakeSample(source, false);
  const auto png = Encode(source, "webm");
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
  TMemoryStream stream;
  TvxBitmap empty;
  EXPECT_FALSE(codec.SaveToStream(stream, empty, "png", ""));
  EXPECT_EQ(stream.Size(), 0u);
}

TEST_F(Codec, FilesFollowTheirExtension) {
  TvxBitmap source, copy;
  MakeSample(source, false);
  EXPECT_TRUE(codec.SaveToFile(File("a.PNG"), source, ""));
  EXPECT_TRUE(codec.LoadFromFile(File("a.PNG"), copy, 0));
  EXPECT_EQ(copy.Pixels()[7], source.Pixels()[7]);
  EXPECT_EQ(codec.GetImageSize(File("a.PNG")), PointOf(5, 3));
  EXPECT_FALSE(codec.SaveToFile(File("a.txt"), source, ""));
  EXPECT_FALSE(std::filesystem::exists(File("a.txt")));
  EXPECT_TRUE(codec.SaveToFile(File("b.jpeg"), source, "quality=90"));
  EXPECT_TRUE(codec.SaveToFile(File("c.tiff"), source, ""));
  EXPECT_TRUE(codec.LoadFromFile(File("c.tiff"), copy, 0));
  EXPECT_EQ(codec.GetFileTypes(), "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico");
}

TEST_F(Codec, MissingFilesLoadNothing) {
  TvxBitmap bitmap(2, 2);
  EXPECT_FALSE(codec.LoadFromFile(File("missing.png"), bitmap, 0));
  EXPECT_FALSE(codec.LoadThumbnailFromFile(File("missing.png"), true, 10, 10, bitmap));
  EXPECT_EQ(codec.GetImageSize(File("missing.png")), PointOf(0, 0));
  EXPECT_EQ(bitmap.Width(), 2);
}

TEST_F(Codec, QuarterTurnsMovePixelsExactly) {
  TvxBitmap source, turned;
  MakeSample(source, false);
  ASSERT_TRUE(codec.SaveToFile(File("r.png"), source, ""));
  ASSERT_TRUE(codec.LoadFromFile(File("r.png"), turned, 90));
  ASSERT_EQ(turned.Width(), 3);
  ASSERT_EQ(turned.Height(), 5);
  // Clockwise: the top-left pixel goes to the top-right corner.
  EXPECT_EQ(turned.Pixels()[2], source.Pixels()[0]);
  ASSERT_TRUE(codec.LoadFromFile(File("r.png"), turned, -90));
  EXPECT_EQ(turned.Pixels()[4 * 3], source.Pixels()[0]);
  ASSERT_TRUE(codec.LoadFromFile(File("r.png"), turned, 540));
  EXPECT_EQ(turned.Width(), 5);
  EXPECT_EQ(turned.Pixels()[14], source.Pixels()[0]);
}

TEST_F(Codec, FreeAnglesFillTheBoundingBox) {
  TvxBitmap source(20, 10), turned;
  source.Clear(0xFFFF0000);
  ASSERT_TRUE(codec.SaveToFile(File("f.png"), source, ""));
  ASSERT_TRUE(codec.LoadFromFile(File("f.png"), turned, 45));
  EXPECT_EQ(turned.Width(), 21);  // (20 + 10) / sqrt 2
  EXPECT_EQ(turned.Height(), 21);
  EXPECT_EQ(turned.Pixels()[10 * 21 + 10], 0xFFFF0000u);
  EXPECT_EQ(turned.Pixels()[0], 0u);
}

TEST_F(Codec, AnglesThatAreNoNumberTurnNothing) {
  TvxBitmap source, loaded;
  MakeSample(source, false);
  ASSERT_TRUE(codec.SaveToFile(File("n.png"), source, ""));
  for (float angle : {std::nanf(""), HUGE_VALF, -HUGE_VALF}) {
    ASSERT_TRUE(codec.LoadFromFile(File("n.png"), loaded, angle)) << angle;
    ASSERT_EQ(loaded.Width(), 5) << angle;
    ASSERT_EQ(loaded.Height(), 3) << angle;
    EXPECT_EQ(loaded.Pixels()[7], source.Pixels()[7]) << angle;
  }
}

// A thin line turned by 45 degrees needs a bounding box far beyond what a bitmap holds.
TEST_F(Codec, TurnsNoBitmapCanHoldLoadNothing) {
  TvxBitmap line(20000, 1), bitmap(2, 2);
  line.Clear(0xFFFF0000);
  ASSERT_TRUE(codec.SaveToFile(File("line.png"), line, ""));
  bitmap.Pixels()[0] = 0x01020304;
  EXPECT_FALSE(codec.LoadFromFile(File("line.png"), bitmap, 45));
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Pixels()[0], 0x01020304u);
  EXPECT_TRUE(codec.LoadFromFile(File("line.png"), bitmap, 90));
  EXPECT_EQ(bitmap.Height(), 20000);
}

TEST_F(Codec, ThumbnailsFitAndNeverEnlarge) {
  TvxBitmap source(40, 20), thumb;
  source.Clear(0xFF00FF00);
  ASSERT_TRUE(codec.SaveToFile(File("t.jpg"), source, "quality=95"));
  ASSERT_TRUE(codec.LoadThumbnailFromFile(File("t.jpg"), false, 10, 10, thumb));
  EXPECT_EQ(thumb.Width(), 10);
  EXPECT_EQ(thumb.Height(), 5);
  ASSERT_TRUE(codec.LoadThumbnailFromFile(File("t.jpg"), true, 16, 16, thumb));
  EXPECT_EQ(thumb.Width(), 16);
  EXPECT_EQ(thumb.Height(), 8);
  ASSERT_TRUE(codec.LoadThumbnailFromFile(File("t.jpg"), false, 400, 400, thumb));
  EXPECT_EQ(thumb.Width(), 40);
}

// ---- damaged data ----------------------------------------------------------------------------

// A 6 x 5 sample with partly covered pixels, written by the codec under test.
std::vector<uint8_t> Encoded(const char* format) {
  TvxBitmap image(6, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      image.Pixels()[y * 6 + x] =
          PremultiplyColor(MakeColor(uint8_t(x * 40), uint8_t(y * 50), 90, uint8_t(128 + x * 20)));
    }
  }
  TMemoryStream stream;
  CreateDefaultFilter()->SaveToStream(stream, image, format, "");
  return stream.Bytes();
}

// A 2 x 2 icon of 32-bit pixels: directory, entry, bitmap header (double height), colour
// rows bottom-up, then the transparency mask rows padded to four bytes.
std::vector<uint8_t> Icon() {
  std::vector<uint8_t> bytes;
  const auto put = [&bytes](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
  };
  put(0, 2), put(1, 2), put(1, 2);
  put(2, 1), put(2, 1), put(0, 1), put(0, 1), put(1, 2), put(32, 2), put(40 + 16 + 8, 4);
  put(22, 4);
  put(40, 4), put(2, 4), put(4, 4), put(1, 2), put(32, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (uint32_t pixel : {0xFFFF0000u, 0xFF00FF00u, 0x800000FFu, 0xFFFFFFFFu}) put(pixel, 4);
  put(0, 4), put(0, 4);
  return bytes;
}

// A 1 x 1 GIF, as not every codec writes GIF.
const std::vector<uint8_t> kGif = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                   0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00,
                                   0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                   0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

class DamagedImages : public Codec, public testing::WithParamInterface<const char*> {
 protected:
  std::vector<uint8_t> Sample() {
    const std::string format = GetParam();
    if (format == "gif") return kGif;
    if (format == "ico") return Icon();
    return Encoded(GetParam());
  }
  // Decoding either fails and leaves the bitmap alone, or yields a sane image.
  void ExpectSafe(const std::vector<uint8_t>& bytes) {
    TvxBitmap bitmap(1, 1);
    bitmap.Pixels()[0] = 0x01020304;
    if (Decode(bytes, bitmap)) {
      EXPECT_GT(bitmap.Width(), 0);
      EXPECT_LE(uint64_t(bitmap.Width()) * uint64_t(bitmap.Height()), MaxBitmapPixels);
      EXPECT_EQ(bitmap.Pixels().size(), size_t(bitmap.Width()) * bitmap.Height());
    } else {
      EXPECT_EQ(bitmap.Width(), 1);
      EXPECT_EQ(bitmap.Pixels()[0], 0x01020304u);
    }
  }
};

TEST_P(DamagedImages, WholeSampleDecodes) {
  TvxBitmap bitmap;
  ASSERT_TRUE(Decode(Sample(), bitmap));
  EXPECT_GT(bitmap.Width(), 0);
}

TEST_P(DamagedImages, EveryPrefixLoadsNothing) {
  const std::vector<uint8_t> whole = Sample();
  for (size_t length = 0; length < whole.size(); ++length) {
    TvxBitmap bitmap(1, 1);
    EXPECT_FALSE(Decode(std::vector(whole.begin(), whole.begin() + ptrdiff_t(length)), bitmap))
        << length;
    EXPECT_EQ(bitmap.Width(), 1);
  }
}

TEST_P(DamagedImages, RandomByteFlipsAreSafe) {
  const std::vector<uint8_t> whole = Sample();
  std::mt19937 random(20240601);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> bytes = whole;
    const int flips = 1 + int(random() % 4);
    for (int i = 0; i < flips; ++i) bytes[random() % bytes.size()] ^= uint8_t(1 + random() % 255);
    ExpectSafe(bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, DamagedImages,
                         testing::Values("png", "jpeg", "bmp", "tiff", "gif", "ico"));

TEST_F(Codec, BmpHeadersClaimingHugeSizesLoadNothing) {
  std::vector<uint8_t> bytes = Encoded("bmp");
  const auto put = [&bytes](size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
  };
  put(18, 0x7FFFFFFF, 4);  // width
  put(22, 0x80000000, 4);  // height, top-down
  put(28, 0xFFFF, 2);      // bits per pixel
  put(30, 0, 4);           // uncompressed
  TvxBitmap bitmap(1, 1);
  EXPECT_FALSE(Decode(bytes, bitmap));
  EXPECT_EQ(bitmap.Width(), 1);
}

TEST_F(Codec, GarbageAndEmptyDataLoadNothing) {
  TvxBitmap bitmap;
  EXPECT_FALSE(Decode({}, bitmap));
  EXPECT_FALSE(Decode({'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}, bitmap));
  EXPECT_TRUE(bitmap.IsEmpty());
}

}  // namespace
