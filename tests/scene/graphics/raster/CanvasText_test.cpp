#include <gtest/gtest.h>

#include <algorithm>

#include "scene/graphics/raster/RasterTesting_support.h"

namespace {

// Bounds of the pixels with any coverage, inclusive.
struct TInk {
  int left = 0, top = 0, right = -1, bottom = -1;
  bool Empty() const { return right < left; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  double CenterX() const { return (left + right) / 2.0; }
  double CenterY() const { return (top + bottom) / 2.0; }
};

TInk InkBounds(const TvxCanvas& canvas) {
  TInk ink;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (!AlphaAt(canvas, x, y)) continue;
      if (ink.Empty()) {
        ink = {x, y, x, y};
        continue;
      }
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x),
             std::max(ink.bottom, y)};
    }
  }
  return ink;
}

uint32_t MaxAlpha(const TvxCanvas& canvas) {
  uint32_t most = 0;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) most = std::max(most, AlphaAt(canvas, x, y));
  }
  return most;
}

class CanvasText : public testing::Test {
 protected:
  std::unique_ptr<TvxCanvas> owned = MakeCanvas(200, 60);
  TvxCanvas& canvas = *owned;

  void SetUp() override {
    canvas.Clear(0);
    canvas.Fill().SetColor(0xFF000000);
  }
  TvxRect Measure(const std::u16string& text, bool wrap = false, float width = 200) {
    TvxRect r = RectOf(0, 0, width, 60);
    canvas.MeasureText(r, text, wrap, vxTextAlignNear, vxTextAlignNear);
    return r;
  }
};

TEST_F(CanvasText, TextIsDrawnInsideItsRectangle) {
  canvas.Font().SetFamily("Impact");
  canvas.Font().SetSize(36);
  const TvxRect box = RectOf(20, 5, 190, 55);
  canvas.FillText(box, u"00:12:59", false, 1, vxTextAlignNear, vxTextAlignCenter);
  const TInk ink = InkBounds(canvas);
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 20);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.bottom, 55);
  EXPECT_LT(ink.left, 30);
  EXPECT_GT(ink.Height(), 18);
}

TEST_F(CanvasText, ChineseTextIsDrawnAndCentred) {
  canvas.Font().SetFamily("黑体");
  canvas.Font().SetSize(15);
  canvas.FillText(RectOf(0, 0, 200, 60), u"关机倒计时", false, 1, vxTextAlignCenter,
                  vxTextAlignCenter);
  const TInk ink = InkBounds(canvas);
  ASSERT_FALSE(ink.Empty());
  EXPECT_NEAR(ink.CenterX(), 100, 3);
  EXPECT_NEAR(ink.CenterY(), 30, 3);
  EXPECT_NEAR(ink.Width(), 75, 8);
}

TEST_F(CanvasText, FullOpacityTextIsDrawnAtNinetyNinePercent) {
  canvas.Font().SetSize(30);
  canvas.FillText(RectOf(0, 0, 200, 60), u"HHHH", false, 1, vxTextAlignNear, vxTextAlignNear);
  EXPECT_EQ(MaxAlpha(canvas), 252u);
}

TEST_F(CanvasText, NothingForEmptyTextOrNoFill) {
  canvas.FillText(RectOf(0, 0, 200, 60), u"", false, 1, vxTextAlignNear, vxTextAlignNear);
  canvas.Fill().SetStyle(vxBrushNone);
  canvas.FillText(RectOf(0, 0, 200, 60), u"abc", false, 1, vxTextAlignNear, vxTextAlignNear);
  EXPECT_TRUE(InkBounds(canvas).Empty());
}

TEST_F(CanvasText, MeasuringLatinAndChinese) {
  canvas.Font().SetSize(20);
  const TvxRect latin = Measure(u"Hello");
  EXPECT_EQ(latin.Left, 0);
  EXPECT_GT(RectWidth(latin), 30);
  EXPECT_LT(RectWidth(latin), 80);
  EXPECT_NEAR(RectHeight(latin), 23, 6);
  EXPECT_GT(RectWidth(Measure(u"Hello ")), RectWidth(latin));

  const TvxRect chinese = Measure(u"定时关机");
  EXPECT_NEAR(RectWidth(chinese), 80, 4);
  EXPECT_NEAR(canvas.TextWidth(u"定时关机"), RectWidth(chinese), 0.5);
}

TEST_F(CanvasText, MeasuringEmptyTextWithoutWrapCollapsesTheWidth) {
  TvxRect r = RectOf(10, 10, 100, 40);
  canvas.MeasureText(r, u"", false, vxTextAlignNear, vxTextAlignNear);
  EXPECT_EQ(r, RectOf(10, 10, 10, 40));
}

TEST_F(CanvasText, WordWrapAddsLines) {
  const std::u16string text = u"one two three four five six";
  const TvxRect single = Measure(text);
  const TvxRect wrapped = Measure(text, true, 60);
  EXPECT_GT(RectHeight(wrapped), 2 * RectHeight(single));
  EXPECT_LE(RectWidth(wrapped), 60);
}

TEST_F(CanvasText, OutlinesLieWhereTheTextIsDrawn) {
  canvas.Font().SetSize(24);
  TvxPathData path;
  const TvxRect box = RectOf(10, 10, 190, 50);
  ASSERT_TRUE(canvas.TextToPath(path, box, u"Az翎", false, vxTextAlignNear, vxTextAlignNear));
  ASSERT_FALSE(path.IsEmpty());
  EXPECT_EQ(path.Points().front().Kind, vxPathPointMoveTo);
  EXPECT_EQ(path.Points().back().Kind, vxPathPointClose);
  const bool curves =
      std::any_of(path.Points().begin(), path.Points().end(),
                  [](const TvxPathPoint& p) { return p.Kind == vxPathPointCurveTo; });
  EXPECT_TRUE(curves);
  const TvxRect bounds = path.GetBounds();
  TvxRect measured = box;
  canvas.MeasureText(measured, u"Az翎", false, vxTextAlignNear, vxTextAlignNear);
  EXPECT_GE(bounds.Left, measured.Left - 1);
  EXPECT_LE(bounds.Right, measured.Right + 1);
  EXPECT_GE(bounds.Top, measured.Top - 1);
  EXPECT_LE(bounds.Bottom, measured.Bottom + 1);
  EXPECT_FALSE(canvas.TextToPath(path, box, u"", false, vxTextAlignNear, vxTextAlignNear));
}

}  // namespace
