#include "scene/graphics/gdiplus/CanvasGdiPlus.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/component/Exceptions.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/gdiplus/GdiPlusBuffer.h"

namespace {

constexpr TvxColor kRed = 0xFFFF0000;
constexpr TvxColor kGreen = 0xFF00FF00;

class CanvasGdiPlus : public testing::Test {
 protected:
  void SetUp() override {
    UseRasterBackend();
    canvas.Clear(0);
    canvas.Fill().SetColor(kRed);
  }

  TvxCanvasGdiPlus canvas{40, 30};
};

// The scene host presents the buffer straight from its context (BitBlt, UpdateLayeredWindow):
// a top-down 32-bit section whose pixels are the canvas's own.
TEST_F(CanvasGdiPlus, TheContextHoldsTheBufferAsATopDownSection) {
  const auto dc = static_cast<HDC>(canvas.DC());
  ASSERT_NE(dc, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(section), &section),
            int(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmBits, canvas.Bits());
  EXPECT_EQ(section.dsBm.bmWidth, 40);
  EXPECT_EQ(section.dsBm.bmHeight, 30);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  // Top-down: the first row in memory is the top one.
  canvas.FillRect(RectOf(0, 0, 1, 1), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(static_cast<const TvxColor*>(section.dsBm.bmBits)[0], kRed);
}

TEST_F(CanvasGdiPlus, FlushCopiesThePixelsReplacingTheTarget) {
  canvas.FillRect(RectOf(0, 0, 10, 10), 0, 0, AllCorners, 1, vxCornerRound);
  TvxGdiPlusBuffer target(20, 20);
  std::fill(target.Bits(), target.Bits() + 400, kGreen);
  canvas.FlushBufferRect(5, 5, target.DC(), RectOf(0, 0, 3.5f, 3.5f));
  GdiFlush();
  EXPECT_EQ(target.Bits()[5 * 20 + 5], kRed);
  EXPECT_EQ(target.Bits()[8 * 20 + 8], kRed);
  EXPECT_EQ(target.Bits()[9 * 20 + 9], kGreen);
  EXPECT_EQ(target.Bits()[4 * 20 + 4], kGreen);
  canvas.FlushBuffer(0, 0, target.DC());
  GdiFlush();
  EXPECT_EQ(target.Bits()[0], kRed);
  EXPECT_EQ(target.Bits()[19 * 20 + 19], 0u);
}

// A size no section can have fails with the platform's message and leaves no buffer behind;
// the next reasonable size draws again.
TEST_F(CanvasGdiPlus, ABufferThatCannotBeMadeLeavesNone) {
  try {
    canvas.ResizeBuffer(200000, 200000);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
  }
  EXPECT_EQ(canvas.Bits(), nullptr);
  EXPECT_EQ(canvas.DC(), nullptr);
  canvas.FillRect(RectOf(0, 0, 10, 10), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(canvas.SaveCanvas(), -1);
  canvas.ResizeBuffer(8, 8);
  canvas.Clear(0);
  canvas.FillRect(RectOf(0, 0, 8, 8), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(canvas.Bits()[63], kRed);
}

// Glyphs take the face that has them: a Chinese text in a Latin family still draws.
TEST_F(CanvasGdiPlus, ChineseInALatinFamilyDraws) {
  canvas.Font().SetFamily("Tahoma");
  canvas.Font().SetSize(20);
  EXPECT_NE(canvas.FaceFor(u"关机"), canvas.FaceFor(u"0123"));
  TvxRect box = RectOf(0, 0, 40, 30);
  canvas.MeasureText(box, u"关机", false, vxTextAlignNear, vxTextAlignNear);
  EXPECT_NEAR(RectWidth(box), 40, 3);
}

// Font data that is no font is refused without touching the text drawn.
TEST_F(CanvasGdiPlus, BadPrivateFontDataIsIgnored) {
  canvas.Font().SetFamily("Tahoma");
  canvas.Font().SetSize(20);
  const std::wstring face = canvas.FaceFor(u"0123");
  TMemoryStream garbage(std::vector<uint8_t>(64, 0x5A));
  canvas.LoadFontFromStream(garbage);
  EXPECT_EQ(canvas.FaceFor(u"0123"), face);
  canvas.Fill().SetColor(0xFF000000);
  canvas.FillText(RectOf(0, 0, 40, 30), u"88", false, 1, vxTextAlignNear, vxTextAlignNear);
  uint32_t ink = 0;
  for (int i = 0; i < 40 * 30; ++i) ink |= canvas.Bits()[i] >> 24;
  EXPECT_NE(ink, 0u);
}

}  // namespace
