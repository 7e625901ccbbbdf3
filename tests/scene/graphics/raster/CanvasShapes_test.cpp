#include <gtest/gtest.h>

#include "scene/graphics/raster/RasterTesting_support.h"

namespace {

constexpr TvxColor kRed = 0xFFFF0000;
constexpr TvxColor kBlue = 0xFF0000FF;

class CanvasShapes : public testing::Test {
 protected:
  std::unique_ptr<TvxCanvas> owned = MakeCanvas(40, 40);
  TvxCanvas& canvas = *owned;

  void SetUp() override {
    canvas.Clear(0);
    canvas.Fill().SetColor(kRed);
    canvas.Stroke().SetColor(kBlue);
  }
  void FillRect(const TvxRect& r, float radius = 0, TvxCorners corners = AllCorners,
                TvxCornerType type = vxCornerRound) {
    canvas.FillRect(r, radius, radius, corners, 1, type);
  }
};

TEST_F(CanvasShapes, PlainRectangleCoversWholePixels) {
  FillRect(RectOf(2, 2, 8, 8));
  EXPECT_EQ(PixelAt(canvas, 2, 2), kRed);
  EXPECT_EQ(PixelAt(canvas, 7, 7), kRed);
  EXPECT_EQ(PixelAt(canvas, 1, 1), 0u);
  EXPECT_EQ(PixelAt(canvas, 8, 8), 0u);
}

TEST_F(CanvasShapes, NoRadiusOrNoCornersFillSquareCorners) {
  FillRect(RectOf(0, 0, 20, 20), 8, 0);
  EXPECT_EQ(PixelAt(canvas, 0, 0), kRed);
  FillRect(RectOf(20, 20, 40, 40), 0);
  EXPECT_EQ(PixelAt(canvas, 20, 20), kRed);
}

TEST_F(CanvasShapes, ShapedCornersCutOnlyTheChosenCorners) {
  FillRect(RectOf(0, 0, 20, 20), 8, 1 << vxCornerTopLeft);
  EXPECT_EQ(AlphaAt(canvas, 0, 0), 0u);
  EXPECT_EQ(PixelAt(canvas, 19, 0), kRed);
  EXPECT_EQ(PixelAt(canvas, 0, 19), kRed);
  EXPECT_EQ(PixelAt(canvas, 10, 10), kRed);

  FillRect(RectOf(20, 0, 40, 20), 8, AllCorners, vxCornerBevel);
  // The bevel cuts the triangle below the line from (20, 8) to (28, 0).
  EXPECT_EQ(AlphaAt(canvas, 22, 2), 0u);
  EXPECT_EQ(PixelAt(canvas, 26, 5), kRed);
}

TEST_F(CanvasShapes, RoundCornerFollowsTheQuarterCurve) {
  FillRect(RectOf(0, 0, 20, 20), 10);
  EXPECT_EQ(AlphaAt(canvas, 1, 1), 0u);
  EXPECT_EQ(PixelAt(canvas, 10, 10), kRed);
  // The curve passes near (10 - 7.07, 10 - 7.07) for a circle; the pixel well inside is full.
  EXPECT_EQ(PixelAt(canvas, 5, 5), kRed);
}

TEST_F(CanvasShapes, RadiusIsCappedAtHalfTheSide) {
  // XRadius 50 on a rectangle 60 wide is used as 30: the top edge is reached only at x = 30.
  const std::unique_ptr<TvxCanvas> owned = MakeCanvas(60, 20);
  TvxCanvas& wide = *owned;
  wide.Fill().SetColor(kRed);
  wide.FillRect(RectOf(0, 0, 60, 20), 50, 10, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(AlphaAt(wide, 3, 1), 0u);
  EXPECT_EQ(AlphaAt(wide, 56, 1), 0u);
  EXPECT_GT(AlphaNear(wide, 30, 0), 200u);
  EXPECT_EQ(PixelAt(wide, 30, 10), kRed);
  EXPECT_GT(AlphaAt(wide, 0, 10), 100u);
}

TEST_F(CanvasShapes, EllipseFillsTheInscribedEllipse) {
  canvas.FillEllipse(RectOf(0, 0, 20, 20), 1);
  EXPECT_EQ(PixelAt(canvas, 10, 10), kRed);
  EXPECT_EQ(AlphaAt(canvas, 1, 1), 0u);
  EXPECT_GT(AlphaNear(canvas, 10, 0), 100u);
}

TEST_F(CanvasShapes, StrokedRectangleAndEllipseLeaveTheInsideEmpty) {
  canvas.SetStrokeThickness(1);
  canvas.DrawRect(RectOf(2.5f, 2.5f, 17.5f, 17.5f), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_TRUE(ColorNearby(canvas, 2, 10, kBlue));
  EXPECT_TRUE(ColorNearby(canvas, 17, 10, kBlue));
  EXPECT_EQ(PixelAt(canvas, 10, 10), 0u);

  canvas.SetStrokeThickness(2);
  canvas.DrawEllipse(RectOf(20, 20, 40, 40), 1);
  EXPECT_EQ(PixelAt(canvas, 30, 30), 0u);
  EXPECT_GT(AlphaAt(canvas, 30, 20), 100u);
}

TEST_F(CanvasShapes, NoneBrushesDrawNothing) {
  canvas.Fill().SetStyle(vxBrushNone);
  canvas.Stroke().SetStyle(vxBrushNone);
  FillRect(RectOf(0, 0, 40, 40));
  canvas.DrawLine(PointOf(0, 5), PointOf(40, 5), 1);
  canvas.FillEllipse(RectOf(0, 0, 40, 40), 1);
  EXPECT_EQ(PixelAt(canvas, 20, 5), 0u);
  EXPECT_EQ(PixelAt(canvas, 20, 20), 0u);
}

TEST_F(CanvasShapes, OpacityScalesSolidColours) {
  canvas.FillRect(RectOf(0, 0, 10, 10), 0, 0, AllCorners, 0.5f, vxCornerRound);
  EXPECT_NEAR(int(AlphaAt(canvas, 5, 5)), 128, 1);
}

TEST_F(CanvasShapes, CapsExtendOnlyWhenRound) {
  canvas.SetStrokeThickness(6);
  canvas.DrawLine(PointOf(10, 10), PointOf(30, 10), 1);
  EXPECT_EQ(AlphaAt(canvas, 8, 10), 0u);
  EXPECT_EQ(PixelAt(canvas, 10, 10), kBlue);
  canvas.SetStrokeCap(vxCapRound);
  canvas.DrawLine(PointOf(10, 30), PointOf(30, 30), 1);
  EXPECT_EQ(PixelAt(canvas, 8, 30), kBlue);
  EXPECT_EQ(PixelAt(canvas, 31, 30), kBlue);
}

TEST_F(CanvasShapes, DashesAreMultiplesOfTheThickness) {
  canvas.SetStrokeThickness(2);
  canvas.SetStrokeDash(vxDashDash);  // 3 on, 1 off: 6 pixels drawn, 2 left out
  canvas.DrawLine(PointOf(0, 5), PointOf(40, 5), 1);
  EXPECT_EQ(PixelAt(canvas, 3, 5), kBlue);
  EXPECT_EQ(AlphaAt(canvas, 7, 5), 0u);
  EXPECT_EQ(PixelAt(canvas, 10, 5), kBlue);
  EXPECT_EQ(AlphaAt(canvas, 15, 5), 0u);
}

TEST_F(CanvasShapes, OddOrDegenerateDashArraysStillDraw) {
  const float odd[] = {2};
  canvas.SetStrokeDash(vxDashCustom);
  canvas.SetDashArray(odd);
  canvas.SetStrokeThickness(2);
  canvas.DrawLine(PointOf(0, 5), PointOf(40, 5), 1);
  EXPECT_EQ(PixelAt(canvas, 1, 5), kBlue);
  EXPECT_EQ(AlphaAt(canvas, 5, 5), 0u);
  const float zeros[] = {0, 0};
  canvas.SetDashArray(zeros);
  canvas.DrawLine(PointOf(0, 20), PointOf(40, 20), 1);
  EXPECT_EQ(PixelAt(canvas, 5, 20), kBlue);
}

TEST_F(CanvasShapes, ClearRectWritesTheValueIgnoringClip) {
  canvas.IntersectClipRect(RectOf(0, 0, 1, 1));
  canvas.ClearRect(RectOf(2.9f, 3.9f, 5.5f, 6.5f), 0x12345678);
  // Left and top truncated, right and bottom rounded half to even.
  EXPECT_EQ(PixelAt(canvas, 2, 3), 0x12345678u);
  EXPECT_EQ(PixelAt(canvas, 5, 5), 0x12345678u);
  EXPECT_EQ(PixelAt(canvas, 6, 5), 0u);
  EXPECT_EQ(PixelAt(canvas, 2, 6), 0u);
  canvas.ClearRect(RectOf(-100, -100, 1e30f, std::nanf("")), 1);
  EXPECT_EQ(PixelAt(canvas, 39, 0), 0u);
}

TEST_F(CanvasShapes, ClipRectanglesLimitDrawing) {
  canvas.IntersectClipRect(RectOf(0, 0, 10, 10));
  FillRect(RectOf(0, 0, 40, 40));
  EXPECT_EQ(PixelAt(canvas, 5, 5), kRed);
  EXPECT_EQ(PixelAt(canvas, 15, 15), 0u);

  canvas.Clear(0);
  const TvxRect rects[] = {RectOf(0, 0, 10, 10), RectOf(20, 20, 30, 30)};
  canvas.SetClipRects(rects);
  canvas.ExcludeClipRect(RectOf(0, 0, 5, 5));
  FillRect(RectOf(0, 0, 40, 40));
  EXPECT_EQ(PixelAt(canvas, 2, 2), 0u);
  EXPECT_EQ(PixelAt(canvas, 7, 7), kRed);
  EXPECT_EQ(PixelAt(canvas, 25, 25), kRed);
  EXPECT_EQ(PixelAt(canvas, 15, 15), 0u);

  canvas.ResetClipRect();
  FillRect(RectOf(0, 0, 40, 40));
  EXPECT_EQ(PixelAt(canvas, 15, 15), kRed);
}

TEST_F(CanvasShapes, ExcludingWithoutAClipKeepsTheRest) {
  canvas.ExcludeClipRect(RectOf(0, 0, 20, 40));
  FillRect(RectOf(0, 0, 40, 40));
  EXPECT_EQ(PixelAt(canvas, 10, 10), 0u);
  EXPECT_EQ(PixelAt(canvas, 30, 10), kRed);
}

TEST_F(CanvasShapes, SaveAndRestoreBringBackMatrixAndClip) {
  const int outer = canvas.SaveCanvas();
  canvas.IntersectClipRect(RectOf(0, 0, 10, 10));
  canvas.SetMatrix(TvxMatrix{1, 0, 0, 0, 1, 0, 20, 20, 1});
  const int inner = canvas.SaveCanvas();
  EXPECT_NE(outer, inner);
  canvas.RestoreCanvas(inner);
  canvas.RestoreCanvas(outer);
  EXPECT_EQ(canvas.Matrix(), IdentityMatrix);
  FillRect(RectOf(0, 0, 40, 40));
  EXPECT_EQ(PixelAt(canvas, 30, 30), kRed);
  EXPECT_EQ(PixelAt(canvas, 0, 0), kRed);
}

TEST_F(CanvasShapes, MatrixMovesAndMultiplyAppliesFirst) {
  canvas.SetMatrix(TvxMatrix{1, 0, 0, 0, 1, 0, 10, 0, 1});
  canvas.MultiplyMatrix(TvxMatrix{2, 0, 0, 0, 2, 0, 0, 0, 1});
  FillRect(RectOf(0, 0, 5, 5));
  // Scaled first, then moved: (10, 0) to (20, 10).
  EXPECT_EQ(PixelAt(canvas, 19, 9), kRed);
  EXPECT_EQ(PixelAt(canvas, 9, 0), 0u);
  EXPECT_EQ(PixelAt(canvas, 20, 0), 0u);
}

TEST_F(CanvasShapes, ResizeKeepsAtLeastOnePixel) {
  canvas.ResizeBuffer(0, -5);
  EXPECT_EQ(canvas.Width(), 1);
  EXPECT_EQ(canvas.Height(), 1);
  ASSERT_NE(canvas.Bits(), nullptr);
  canvas.ResizeBuffer(30, 20);
  FillRect(RectOf(0, 0, 30, 20));
  EXPECT_EQ(PixelAt(canvas, 29, 19), kRed);
}

}  // namespace
