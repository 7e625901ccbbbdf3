#include <gtest/gtest.h>

#include "scene/graphics/raster/RasterTesting_support.h"

namespace {

constexpr TvxColor kRed = 0xFFFF0000;
constexpr TvxColor kBlue = 0xFF0000FF;

class CanvasPaint : public testing::Test {
 protected:
  std::unique_ptr<TvxCanvas> owned = MakeCanvas(100, 40);
  TvxCanvas& canvas = *owned;

  void SetUp() override { canvas.Clear(0); }

  void UseGradient(TvxGradientStyle style, TvxColor first, float firstOffset, TvxColor last,
                   float lastOffset) {
    TvxBrush& fill = canvas.Fill();
    fill.SetStyle(vxBrushGradient);
    TvxGradient& gradient = *fill.Gradient();
    gradient.SetStyle(style);
    gradient.Points()->Clear();
    gradient.Points()->AddPoint(first, firstOffset);
    gradient.Points()->AddPoint(last, lastOffset);
    gradient.StartPosition()->SetPoint(PointOf(0, 0));
    gradient.StopPosition()->SetPoint(PointOf(1, 0));
  }
};

TEST_F(CanvasPaint, LinearGradientHoldsItsEndColoursBeyondTheEndPoints) {
  UseGradient(vxLinearGradient, kRed, 0.2f, kBlue, 0.8f);
  canvas.FillRect(RectOf(0, 0, 100, 10), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 5, 5), kRed);
  EXPECT_EQ(PixelAt(canvas, 19, 5), kRed);
  EXPECT_EQ(PixelAt(canvas, 81, 5), kBlue);
  EXPECT_EQ(PixelAt(canvas, 95, 5), kBlue);
  EXPECT_NEAR(int(RedAt(canvas, 50, 5)), 128, 4);
  EXPECT_NEAR(int(BlueAt(canvas, 50, 5)), 128, 4);
}

TEST_F(CanvasPaint, LinearGradientRepeatsMirroredBeyondItsEnd) {
  UseGradient(vxLinearGradient, kRed, 0, kBlue, 1);
  canvas.Fill().Gradient()->StopPosition()->SetPoint(PointOf(0.5f, 0));
  canvas.FillRect(RectOf(0, 0, 100, 10), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_GT(BlueAt(canvas, 50, 5), 240u);
  EXPECT_GT(RedAt(canvas, 99, 5), 240u);
  EXPECT_NEAR(int(RedAt(canvas, 75, 5)), 128, 6);
}

TEST_F(CanvasPaint, GradientOpacityFadesTheAddedEndsToo) {
  UseGradient(vxLinearGradient, kRed, 0.2f, kBlue, 0.8f);
  canvas.FillRect(RectOf(0, 0, 100, 10), 0, 0, AllCorners, 0.5f, vxCornerRound);
  EXPECT_NEAR(int(AlphaAt(canvas, 5, 5)), 128, 1);
  EXPECT_NEAR(int(AlphaAt(canvas, 50, 5)), 128, 1);
  EXPECT_NEAR(int(AlphaAt(canvas, 95, 5)), 128, 1);
}

TEST_F(CanvasPaint, EqualOffsetsMakeAHardEdge) {
  TvxBrush& fill = canvas.Fill();
  UseGradient(vxLinearGradient, kRed, 0, kRed, 0.5f);
  fill.Gradient()->Points()->AddPoint(kBlue, 0.5f);
  fill.Gradient()->Points()->AddPoint(kBlue, 1);
  canvas.FillRect(RectOf(0, 0, 100, 10), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 48, 5), kRed);
  EXPECT_EQ(PixelAt(canvas, 52, 5), kBlue);
}

TEST_F(CanvasPaint, RadialGradientRunsFromTheEdgeToTheCentre) {
  UseGradient(vxRadialGradient, kRed, 0, kBlue, 1);
  canvas.FillRect(RectOf(0, 0, 40, 40), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_GT(BlueAt(canvas, 20, 20), 240u);
  EXPECT_GT(RedAt(canvas, 20, 1), 200u);
  // Outside the inscribed ellipse nothing is painted.
  EXPECT_EQ(AlphaAt(canvas, 1, 1), 0u);
}

TEST_F(CanvasPaint, FewerThanTwoGradientPointsFillNothing) {
  UseGradient(vxLinearGradient, kRed, 0, kBlue, 1);
  canvas.Fill().Gradient()->Points()->Clear();
  canvas.Fill().Gradient()->Points()->AddPoint(kRed, 0);
  canvas.FillRect(RectOf(0, 0, 100, 40), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 50, 20), 0u);
}

// Red then blue.
void MakeTwoColumns(TvxBitmap& bitmap) {
  bitmap.SetSize(2, 1);
  bitmap.Pixels()[0] = kRed;
  bitmap.Pixels()[1] = kBlue;
}

void UseBitmap(TvxBrush& brush, TvxWrapMode mode) {
  brush.SetStyle(vxBrushBitmap);
  MakeTwoColumns(*brush.Bitmap()->Bitmap());
  brush.Bitmap()->SetWrapMode(mode);
}

TEST_F(CanvasPaint, BitmapBrushTilesFromTheOrigin) {
  UseBitmap(canvas.Fill(), vxWrapTile);
  canvas.FillRect(RectOf(0, 0, 8, 2), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 0, 0), kRed);
  EXPECT_EQ(PixelAt(canvas, 1, 0), kBlue);
  EXPECT_EQ(PixelAt(canvas, 2, 1), kRed);
  EXPECT_EQ(PixelAt(canvas, 3, 1), kBlue);
}

TEST_F(CanvasPaint, OriginalTileMirrorsEveryOtherColumn) {
  UseBitmap(canvas.Fill(), vxWrapTileOriginal);
  canvas.FillRect(RectOf(0, 0, 8, 1), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 0, 0), kRed);
  EXPECT_EQ(PixelAt(canvas, 1, 0), kBlue);
  EXPECT_EQ(PixelAt(canvas, 2, 0), kBlue);
  EXPECT_EQ(PixelAt(canvas, 3, 0), kRed);
  EXPECT_EQ(PixelAt(canvas, 4, 0), kRed);
}

TEST_F(CanvasPaint, StretchedBitmapCoversTheRectangle) {
  // Three red columns, then three blue ones: runs wide enough that a rasteriser sampling half
  // a source pixel off (wine's) still finds the pure colours in their middles.
  TvxBrush& fill = canvas.Fill();
  fill.SetStyle(vxBrushBitmap);
  TvxBitmap& columns = *fill.Bitmap()->Bitmap();
  columns.SetSize(6, 1);
  for (int x = 0; x < 6; ++x) columns.Pixels()[x] = x < 3 ? kRed : kBlue;
  fill.Bitmap()->SetWrapMode(vxWrapTileStretch);
  canvas.SetStrokeThickness(0);
  canvas.FillRect(RectOf(0, 0, 60, 10), 0, 0, AllCorners, 1, vxCornerRound);
  // Each source pixel spans 10 target pixels.
  EXPECT_GT(RedAt(canvas, 15, 5), 240u);
  EXPECT_GT(BlueAt(canvas, 45, 5), 240u);
  EXPECT_EQ(AlphaAt(canvas, 59, 9), 255u);
  EXPECT_EQ(AlphaAt(canvas, 61, 5), 0u);
}

TEST_F(CanvasPaint, BitmapBrushOpacityFades) {
  UseBitmap(canvas.Fill(), vxWrapTile);
  canvas.FillRect(RectOf(0, 0, 8, 2), 0, 0, AllCorners, 0.5f, vxCornerRound);
  EXPECT_NEAR(int(AlphaAt(canvas, 0, 0)), 128, 1);
}

TEST_F(CanvasPaint, DrawBitmapOpacityAndSampling) {
  TvxBitmap bitmap;
  MakeTwoColumns(bitmap);
  canvas.DrawBitmap(bitmap, RectOf(0, 0, 2, 1), RectOf(0, 0, 20, 10), 0, false);
  EXPECT_EQ(PixelAt(canvas, 2, 2), 0u);
  canvas.DrawBitmap(bitmap, RectOf(0, 0, 2, 1), RectOf(0, 0, 20, 10), 0.5f, true);
  EXPECT_NEAR(int(AlphaAt(canvas, 2, 2)), 128, 1);
  EXPECT_NEAR(int(RedAt(canvas, 2, 2)), 128, 1);
  canvas.Clear(0);
  canvas.DrawBitmap(bitmap, RectOf(0, 0, 2, 1), RectOf(0, 0, 20, 10), 1, true);
  // Nearest sampling keeps the colours apart.
  EXPECT_EQ(PixelAt(canvas, 9, 5), kRed);
  EXPECT_EQ(PixelAt(canvas, 10, 5), kBlue);
  canvas.DrawBitmap(bitmap, RectOf(0, 0, 2, 1), RectOf(40, 0, 60, 10), 1, false);
  EXPECT_NE(PixelAt(canvas, 49, 5), kRed);
}

TEST_F(CanvasPaint, ResourceBrushResolvesIntoTheFill) {
  TvxBrushObject resource(nullptr);
  resource.Brush()->SetColor(kBlue);
  canvas.Fill().SetStyle(vxBrushResource);
  canvas.Fill().Resource()->SetResource(&resource);
  canvas.FillRect(RectOf(0, 0, 10, 10), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 5, 5), kBlue);
}

class CanvasPaths : public testing::Test {
 protected:
  std::unique_ptr<TvxCanvas> owned = MakeCanvas(40, 40);
  TvxCanvas& canvas = *owned;
  TvxPathData path;

  void SetUp() override {
    canvas.Clear(0);
    canvas.Fill().SetColor(kRed);
    canvas.Stroke().SetColor(kBlue);
  }
};

TEST_F(CanvasPaths, PathIsStretchedIntoTheTarget) {
  path.SetData("M 0,0 L 1,0 L 1,1 L 0,1 Z");
  canvas.FillPath(path, RectOf(10, 10, 30, 20), 1);
  EXPECT_EQ(PixelAt(canvas, 10, 10), kRed);
  EXPECT_EQ(PixelAt(canvas, 29, 19), kRed);
  EXPECT_EQ(PixelAt(canvas, 30, 15), 0u);
  EXPECT_TRUE(canvas.PtInPath(PointOf(20, 15), RectOf(10, 10, 30, 20), path));
  EXPECT_FALSE(canvas.PtInPath(PointOf(5, 15), RectOf(10, 10, 30, 20), path));
}

TEST_F(CanvasPaths, PathOnOneLineIsNeitherFilledNorStroked) {
  path.SetData("M 0,5 L 10,5 L 20,5");
  canvas.SetStrokeThickness(4);
  canvas.FillPath(path, RectOf(0, 0, 40, 40), 1);
  canvas.DrawPath(path, RectOf(0, 0, 40, 40), 1);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(PixelAt(canvas, x, y), 0u) << x << "," << y;
  }
  EXPECT_FALSE(canvas.PtInPath(PointOf(0, 0), RectOf(0, 0, 40, 40), path));
}

TEST_F(CanvasPaths, StrokedSegmentsEachGetCaps) {
  path.SetData("M 0,0 L 20,0 L 20,20 Z");
  canvas.SetStrokeThickness(4);
  canvas.SetStrokeCap(vxCapRound);
  canvas.DrawPath(path, RectOf(10, 10, 30, 30), 1);
  EXPECT_EQ(PixelAt(canvas, 20, 10), kBlue);
  // Round caps reach past the start of the first segment.
  EXPECT_GT(AlphaAt(canvas, 8, 10), 0u);
  EXPECT_EQ(PixelAt(canvas, 25, 15), 0u);
}

TEST_F(CanvasPaths, TruncatedCurveDataDoesNotReadPastTheEnd) {
  path.AddEntry(vxPathPointMoveTo, PointOf(0, 0));
  path.AddEntry(vxPathPointCurveTo, PointOf(10, 20));
  canvas.FillPath(path, RectOf(0, 0, 40, 40), 1);
  canvas.DrawPath(path, RectOf(0, 0, 40, 40), 1);
  EXPECT_FALSE(canvas.PtInPath(PointOf(39, 0), RectOf(0, 0, 40, 40), path));
}

// The last point belongs to the outline: a four-point open polygon fills the whole square,
// not the triangle of its first three points.
TEST_F(CanvasPaths, FilledPolygonsCloseThroughTheirLastPoint) {
  const TvxPoint square[] = {PointOf(0, 0), PointOf(30, 0), PointOf(30, 30), PointOf(0, 30)};
  canvas.FillPolygon(square, 1);
  EXPECT_EQ(PixelAt(canvas, 25, 5), kRed);
  EXPECT_EQ(PixelAt(canvas, 5, 25), kRed);
  EXPECT_EQ(PixelAt(canvas, 35, 35), 0u);
}

TEST_F(CanvasPaths, PolygonsAndArcsGoThroughThePathOperations) {
  const TvxPoint triangle[] = {PointOf(0, 0), PointOf(30, 0), PointOf(0, 30), PointOf(0, 0)};
  canvas.FillPolygon(triangle, 1);
  EXPECT_EQ(PixelAt(canvas, 5, 5), kRed);
  EXPECT_EQ(PixelAt(canvas, 25, 25), 0u);
  canvas.SetStrokeThickness(5);
  canvas.SetStrokeCap(vxCapRound);
  canvas.DrawArc(PointOf(20, 20), PointOf(15, 15), 0, 90, 1);
  EXPECT_EQ(PixelAt(canvas, 20, 35), kBlue);
  EXPECT_EQ(PixelAt(canvas, 35, 20), kBlue);
}

TEST(CanvasOnBitmap, DrawsIntoTheBitmapsOwnPixels) {
  TvxBitmap bitmap(10, 10);
  TvxCanvas* canvas = bitmap.Canvas();
  ASSERT_NE(canvas, nullptr);
  canvas->Fill().SetColor(kRed);
  canvas->FillRect(RectOf(0, 0, 5, 5), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(bitmap.Pixels()[0], kRed);
  EXPECT_EQ(bitmap.Pixels()[99], 0u);
  canvas->Clear(kBlue);
  EXPECT_EQ(bitmap.Pixels()[99], kBlue);
}

TEST(CanvasOnBitmap, FollowsTheBitmapWhenItReallocates) {
  TvxBitmap bitmap(10, 10);
  const std::unique_ptr<TvxCanvas> owned = MakeCanvas(bitmap);
  TvxCanvas& canvas = *owned;
  bitmap.SetSize(20, 30);
  canvas.Fill().SetColor(kRed);
  canvas.FillRect(RectOf(0, 0, 20, 30), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(bitmap.Pixels().back(), kRed);
  EXPECT_EQ(canvas.Width(), 20);
  bitmap.SetSize(0, 0);
  canvas.FillRect(RectOf(0, 0, 20, 30), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(canvas.SaveCanvas(), -1);
}

TEST(CanvasOnBitmap, ThumbnailScalesTheWholeBitmap) {
  TvxBitmap source(40, 20);
  source.Clear(kRed);
  TvxBitmap target(10, 10);
  const std::unique_ptr<TvxCanvas> owned = MakeCanvas(target);
  TvxCanvas& canvas = *owned;
  canvas.DrawThumbnail(source, 10, 5);
  EXPECT_EQ(target.Pixels()[0], kRed);
  EXPECT_EQ(target.Pixels()[4 * 10 + 9], kRed);
  EXPECT_EQ(target.Pixels()[6 * 10], 0u);
}

}  // namespace
