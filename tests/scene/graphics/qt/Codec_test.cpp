#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <filesystem>
#include <random>

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/qt/FilterQt.h"

namespace {

class QtCodec : public testing::Test {
 protected:
  TvxFilterQt codec;

  bool Decode(std::vector<uint8_t> bytes, TvxBitmap& bitmap) {
    TMemoryStream stream(std::move(bytes));
    return codec.LoadFromStream(stream, bitmap);
  }
};

// Qt has no GIF writer.
TEST_F(QtCodec, GifWritesNothing) {
  TvxBitmap source(3, 2);
  TMemoryStream stream;
  EXPECT_FALSE(codec.SaveToStream(stream, source, "gif", ""));
  EXPECT_EQ(stream.Size(), 0u);
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "qt-codec-writes-no.gif";
  EXPECT_FALSE(codec.SaveToFile(file.string(), source, ""));
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(QtCodec, JpegHonoursQuality) {
  TvxBitmap source(64, 64);
  std::mt19937 random(7);
  for (TvxColor& pixel : source.Pixels()) pixel = 0xFF000000u | (random() & 0xFFFFFF);
  TMemoryStream best, poor;
  ASSERT_TRUE(codec.SaveToStream(best, source, "JPG", "quality=100"));
  ASSERT_TRUE(codec.SaveToStream(poor, source, "jpeg", "speed=3 QUALITY=10"));
  EXPECT_LT(poor.Size(), best.Size() / 2);
}

// Qt's own size limit can be lifted from the environment; the bitmap's still holds.
TEST_F(QtCodec, ImagesBeyondTheBitmapLimitLoadNothing) {
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

}  // namespace
