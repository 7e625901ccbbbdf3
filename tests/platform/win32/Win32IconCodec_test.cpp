#include "platform/win32/Win32IconCodec.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::span<const uint8_t> Bytes(const std::string& data) {
  return {reinterpret_cast<const uint8_t*>(data.data()), data.size()};
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutBigEndian(std::string& data, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) data[at + size_t(i)] = char(value >> (24 - 8 * i));
}

// The PNG with its header claiming another width, the header's checksum made good again.
std::string WithWidth(std::string png, uint32_t width) {
  constexpr size_t kHeaderType = 12;  // after the signature and the chunk's length
  PutBigEndian(png, kHeaderType + 4, width);
  const auto* header = reinterpret_cast<const uint8_t*>(png.data()) + kHeaderType;
  PutBigEndian(png, kHeaderType + 4 + 13, Crc32(header, 4 + 13));
  return png;
}

TIconImage Filled(int width, int height, uint32_t pixel) {
  return {width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel)};
}

class Win32IconCodecTest : public testing::Test {
 protected:
  TWin32IconCodec codec;
};

TEST_F(Win32IconCodecTest, PngRoundTripKeepsStraightAlphaExactly) {
  // Faint pixels keep their colour: nothing is premultiplied on the way.
  const TIconImage image{
      3, 2, {0xFF102030, 0x80FF0000, 0x01123456, 0x00000000, 0x7F00FF00, 0xFFFFFFFF}};
  const std::string png = codec.EncodePng(image);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  TIconImage decoded;
  ASSERT_TRUE(codec.Decode(Bytes(png), decoded));
  EXPECT_EQ(decoded, image);
}

TEST_F(Win32IconCodecTest, ReadsBitmapsAndIconFiles) {
  // A 2 x 1 bottom-up 24-bit bitmap: blue, then red.
  std::string bmp("BM", 2);
  const uint8_t rest[] = {62, 0, 0, 0, 0, 0, 0, 0, 54,   0, 0, 0,  // file size, reserved, offset
                          40, 0, 0, 0, 2, 0, 0, 0, 1,    0, 0, 0, 1, 0,    24, 0,
                          0,  0, 0, 0, 8, 0, 0, 0, 0,    0, 0, 0, 0, 0,    0,  0,
                          0,  0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0,  0};
  bmp.append(reinterpret_cast<const char*>(rest), sizeof rest);
  TIconImage image;
  ASSERT_TRUE(codec.Decode(Bytes(bmp), image));
  EXPECT_EQ(image, (TIconImage{2, 1, {0xFF0000FF, 0xFFFF0000}}));

  // An icon file holding one PNG image.
  const std::string png = codec.EncodePng(Filled(4, 4, 0x80406080));
  std::string ico("\0\0\1\0\1\0", 6);
  const uint8_t entry[] = {4, 4, 0, 0, 1, 0, 32, 0};
  ico.append(reinterpret_cast<const char*>(entry), sizeof entry);
  for (uint32_t value : {uint32_t(png.size()), uint32_t(6 + 16)})
    for (int i = 0; i < 4; ++i) ico += char(value >> (8 * i));
  ico += png;
  ASSERT_TRUE(codec.Decode(Bytes(ico), image));
  EXPECT_EQ(image, Filled(4, 4, 0x80406080));
}

TEST_F(Win32IconCodecTest, RefusesBadDataAndLeavesTheImageAlone) {
  const TIconImage before = Filled(1, 1, 0xFF00FF00);
  TIconImage image = before;
  const std::string png = codec.EncodePng(Filled(5, 5, 0xFF000000));
  for (const std::string& bad :
       {std::string(), std::string("not an image at all"), png.substr(0, png.size() / 2),
        std::string("\x89PNG\r\n\x1a\n", 8)}) {
    EXPECT_FALSE(codec.Decode(Bytes(bad), image)) << bad.size();
    EXPECT_EQ(image, before);
  }
}

TEST_F(Win32IconCodecTest, SidesBeyondTheLimitAreRefusedBeforeDecoding) {
  const std::string widest = codec.EncodePng(Filled(TIcon::kMaxSide, 1, 0xFF123456));
  TIconImage image;
  ASSERT_TRUE(codec.Decode(Bytes(widest), image));
  EXPECT_EQ(image.width, TIcon::kMaxSide);
  EXPECT_FALSE(codec.Decode(Bytes(WithWidth(widest, TIcon::kMaxSide + 1)), image));
  EXPECT_FALSE(codec.Decode(Bytes(WithWidth(widest, 0x7FFFFFFF)), image));
  EXPECT_EQ(image.width, TIcon::kMaxSide);
}

TEST_F(Win32IconCodecTest, EncodingRefusesImagesThatDoNotHoldTogether) {
  EXPECT_FALSE(codec.EncodePng(Filled(TIcon::kMaxSide, 1, 0)).empty());
  EXPECT_TRUE(codec.EncodePng(Filled(TIcon::kMaxSide + 1, 1, 0)).empty());
  EXPECT_TRUE(codec.EncodePng({}).empty());
  EXPECT_TRUE(codec.EncodePng({2, 2, {1, 2, 3}}).empty());
  EXPECT_TRUE(codec.EncodePng({-1, 1, {1}}).empty());
}

TEST_F(Win32IconCodecTest, IconsReadAndWriteThroughTheInstalledCodec) {
  IIconCodec* previous = InstallIconCodec(&codec);
  TIcon icon;
  const std::string png = codec.EncodePng(Filled(16, 16, 0xFFABCDEF));
  EXPECT_TRUE(icon.LoadFromData(Bytes(png)));
  ASSERT_NE(icon.ImageFor(16), nullptr);
  EXPECT_EQ(*icon.ImageFor(16), Filled(16, 16, 0xFFABCDEF));
  icon.Clear();
  ASSERT_TRUE(icon.AddImage(Filled(8, 8, 0x40FFFFFF)));
  TIcon copy;
  EXPECT_TRUE(copy.LoadFromData(Bytes(icon.SaveToData())));
  EXPECT_EQ(copy.Images(), icon.Images());
  InstallIconCodec(previous);
}

}  // namespace
