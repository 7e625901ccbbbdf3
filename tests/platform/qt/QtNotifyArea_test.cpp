#include "platform/qt/QtNotifyArea.h"

#include <gtest/gtest.h>

#include "QtTestApp_support.h"
#include "platform/qt/QtIconCodec.h"

namespace {

TIconImage Gradient(int side) {
  TIconImage image{side, side, {}};
  for (uint32_t i = 0; i < uint32_t(side * side); ++i)
    image.pixels.push_back(i * 0x01020304u | 0x80000000u);
  return image;
}

// Off screen there is no system tray: the icon cannot be added, and nothing else fails.
TEST(QtNotifyArea, WithoutASystemTrayAnIconIsRefusedQuietly) {
  QtTestApp();
  TQtNotifyArea area;
  int calls = 0;
  auto channel = area.CreateChannel({[&](const TNotifyMouse&) { ++calls; }, [&] { ++calls; }});
  const TNotifyIconData record{"翎川定时关机", {Gradient(16)}};
  EXPECT_FALSE(channel->Add(record));
  channel->Modify(record);
  channel->ShowBalloon({"定时关机提示", "text", niifWarning, 10, record.images});
  channel->BalloonsSupported();
  channel->Delete();
  QApplication::processEvents();
  channel.reset();
  EXPECT_EQ(0, calls);
}

TEST(QtIconCodec, PngRoundTripKeepsEveryPixel) {
  QtTestApp();
  TQtIconCodec codec;
  const TIconImage image = Gradient(24);
  const std::string png = codec.EncodePng(image);
  ASSERT_FALSE(png.empty());
  TIconImage back;
  ASSERT_TRUE(codec.Decode({reinterpret_cast<const uint8_t*>(png.data()), png.size()}, back));
  EXPECT_EQ(image, back);
  EXPECT_FALSE(codec.Decode({reinterpret_cast<const uint8_t*>(png.data()), 20}, back));
  EXPECT_TRUE(codec.EncodePng({2, 2, {1}}).empty());

  // Sizes an icon cannot have are refused before decoding.
  const int side = TIcon::kMaxSide + 1;
  const std::string widePng =
      codec.EncodePng({side, 1, std::vector<uint32_t>(size_t(side), 0xFFFF0000)});
  EXPECT_FALSE(
      codec.Decode({reinterpret_cast<const uint8_t*>(widePng.data()), widePng.size()}, back));
}

}  // namespace
