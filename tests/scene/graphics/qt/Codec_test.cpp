#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/qt/FilterQt.h"

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
  TvxFilterQt codec;
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("raster-codec-" + std::to_string(::getpid()));

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
  std::string File(const std::string& name) { return (dir / name).string(); }
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

TEST_F(Codec, JpegByAnySpellingHonoursQuality) {
  TvxBitmap source(64, 64);
  std::mt19937 random(7);
  for (TvxColor& pixel : source.Pixels()) pixel = 0xFF000000u | (random() & 0xFFFFFF);
  const auto best = Encode(source, "JPG", "quality=100");
  const auto poor = Encode(source, "jpeg", "speed=3 QUALITY=10");
  ASSERT_GE(best.size(), 2u);
  EXPECT_EQ(best[0], 0xFF);
  EXPECT_EQ(best[1], 0xD8);
  EXPECT_LT(poor.size(), best.size() / 2);
  TvxBitmap copy;
  EXPECT_TRUE(Decode(best, copy));
  EXPECT_EQ(copy.Width(), 64);
}

TEST_F(Codec, UnknownFormatNamesWritePngAndGifWritesNothing) {
  TvxBitmap source;
  MakeSample(source, false);
  const auto png = Encode(source, "webm");
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
  TMemoryStream stream;
  EXPECT_FALSE(codec.SaveToStream(stream, source, "gif", ""));
  EXPECT_EQ(stream.Size(), 0u);
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
  EXPECT_FALSE(codec.SaveToFile(File("a.gif"), source, ""));
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

// Qt's own size limit can be lifted from the environment; the bitmap's still holds.
TEST_F(Codec, ImagesBeyondTheBitmapLimitLoadNothing) {
  QImage huge(8200, 8200, QImage::Format_Mono);
  huge.fill(0);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(QImageWriter(&buffer, "png").write(huge));
  const int limit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(0);
  TvxBitmap bitmap(2, 2);
  EXPECT_FALSE(Decode(std::vector<uint8_t>(data.begin(), data.end()), bitmap));
  QImageReader::setAllocationLimit(limit);
  EXPECT_EQ(bitmap.Width(), 2);
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

std::vector<uint8_t> QtEncoded(const char* format) {
  QImage image(6, 5, QImage::Format_ARGB32);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) image.setPixel(x, y, qRgba(x * 40, y * 50, 90, 128 + x * 20));
  }
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, format).write(image);
  return std::vector<uint8_t>(data.begin(), data.end());
}

// A 1 x 1 GIF, since Qt writes none.
const std::vector<uint8_t> kGif = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                   0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00,
                                   0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                   0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

class DamagedImages : public Codec, public testing::WithParamInterface<const char*> {
 protected:
  std::vector<uint8_t> Sample() {
    const std::string format = GetParam();
    return format == "gif" ? kGif : QtEncoded(GetParam());
  }
  // Decoding either fails and leaves the bitmap alone, or yields a sane image.
  void ExpectSafe(const std::vector<uint8_t>& bytes) {
    TvxBitmap bitmap(1, 1);
    bitmap.Pixels()[0] = 0x01020304;
    if (Decode(bytes, bitmap)) {
      EXPECT_GT(bitmap.Width(), 0);
      EXPECT_LE(bitmap.Width() * bitmap.Height(), 1 << 25);  // Qt's 128 MB limit
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
  std::vector<uint8_t> bytes = QtEncoded("bmp");
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
