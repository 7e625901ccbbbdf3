#include <gtest/gtest.h>

#include "scene/core/VisualObject.h"
#include "scene/graphics/raster/RasterTesting_support.h"

namespace {

constexpr TvxColor kGreen = 0xFF00FF00;
constexpr TvxColor kRed = 0xFFFF0000;
constexpr TvxColor kBlue = 0xFF0000FF;

// Paints its whole area green with a thick stroke, and records the opacity it was given.
class GreenSquare : public TvxVisualObject {
 public:
  using TvxVisualObject::TvxVisualObject;
  float paintedOpacity = -1;
  int paints = 0;

  void Paint() override {
    ++paints;
    paintedOpacity = Opacity();
    TvxCanvas& canvas = *Canvas();
    canvas.Fill().SetStyle(vxBrushSolid);
    canvas.Fill().SetColor(kGreen);
    canvas.FillRect(RectOf(0, 0, Width(), Height()), 0, 0, AllCorners, 1, vxCornerRound);
    canvas.Stroke().SetColor(kGreen);
    canvas.SetStrokeThickness(9);
  }
};

// Left half red, right half blue.
class TwoTone : public TvxVisualObject {
 public:
  using TvxVisualObject::TvxVisualObject;
  void Paint() override {
    TvxCanvas& canvas = *Canvas();
    canvas.Fill().SetStyle(vxBrushSolid);
    canvas.Fill().SetColor(kRed);
    canvas.FillRect(RectOf(0, 0, Width() / 2, Height()), 0, 0, AllCorners, 1, vxCornerRound);
    canvas.Fill().SetColor(kBlue);
    canvas.FillRect(RectOf(Width() / 2, 0, Width(), Height()), 0, 0, AllCorners, 1, vxCornerRound);
  }
};

class VisualFill : public testing::Test {
 protected:
  std::unique_ptr<TvxCanvas> owned = MakeCanvas(40, 40);
  TvxCanvas& canvas = *owned;
  GreenSquare square{nullptr};

  void SetUp() override {
    canvas.Clear(0);
    square.SetBounds(0, 0, 10, 10);
    square.SetOpacity(0.7f);
    canvas.Fill().SetStyle(vxBrushVisual);
    canvas.Fill().Visual()->SetVisualObject(&square);
  }
};

TEST_F(VisualFill, PaintsTheObjectClippedToTheShape) {
  canvas.FillEllipse(RectOf(0, 0, 40, 40), 0.5f);
  EXPECT_EQ(square.paints, 1);
  EXPECT_FLOAT_EQ(square.paintedOpacity, 0.5f);
  EXPECT_FLOAT_EQ(square.Opacity(), 0.7f);
  EXPECT_GT(AlphaAt(canvas, 20, 20), 0u);
  EXPECT_EQ(AlphaAt(canvas, 1, 1), 0u);
  // The canvas gets its stroke and fill state back.
  EXPECT_EQ(canvas.Stroke().Color(), 0xFF000000u);
  EXPECT_EQ(canvas.StrokeThickness(), 1);
  EXPECT_EQ(canvas.Fill().Style(), vxBrushVisual);
}

// The visual lands where the filled shape is, not where its rectangle would be without the
// shape's matrix.
TEST(VisualFillPlace, FollowsTheShapesMatrix) {
  TwoTone tones(nullptr);
  tones.SetBounds(0, 0, 40, 40);
  const std::unique_ptr<TvxCanvas> owned = MakeCanvas(160, 80);
  TvxCanvas& canvas = *owned;
  canvas.Clear(0);
  canvas.Fill().SetStyle(vxBrushVisual);
  canvas.Fill().Visual()->SetVisualObject(&tones);

  canvas.SetMatrix({1, 0, 0, 0, 1, 0, 100, 10, 1});
  canvas.FillRect(RectOf(0, 0, 40, 40), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 110, 30), kRed);
  EXPECT_EQ(PixelAt(canvas, 130, 30), kBlue);
  EXPECT_EQ(PixelAt(canvas, 10, 30), 0u);

  canvas.Clear(0);
  canvas.SetMatrix({1, 0, 0, 0, 1, 0, 20, 20, 1});
  canvas.FillEllipse(RectOf(0, 0, 40, 40), 1);
  EXPECT_EQ(PixelAt(canvas, 30, 40), kRed);
  EXPECT_EQ(PixelAt(canvas, 50, 40), kBlue);

  // Scaled: the rectangle (10, 0, 30, 20) covers (20, 0, 60, 40) on the surface.
  canvas.Clear(0);
  canvas.SetMatrix({2, 0, 0, 0, 2, 0, 0, 0, 1});
  canvas.FillRect(RectOf(10, 0, 30, 20), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 25, 20), kRed);
  EXPECT_EQ(PixelAt(canvas, 55, 20), kBlue);
  EXPECT_EQ(PixelAt(canvas, 65, 20), 0u);
  EXPECT_EQ(PixelAt(canvas, 15, 20), 0u);

  // Turned a quarter clockwise about the origin, then moved right: the red half ends on top.
  canvas.Clear(0);
  canvas.SetMatrix({0, 1, 0, -1, 0, 0, 60, 0, 1});
  canvas.FillRect(RectOf(0, 0, 40, 40), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 40, 10), kRed);
  EXPECT_EQ(PixelAt(canvas, 40, 30), kBlue);
}

TEST_F(VisualFill, RectangleFillIsClippedToTheRectangle) {
  canvas.FillRect(RectOf(0, 0, 20, 20), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_GT(AlphaAt(canvas, 10, 10), 0u);
  EXPECT_EQ(AlphaAt(canvas, 30, 30), 0u);
}

TEST_F(VisualFill, AnObjectFilledWithItselfPaintsOnce) {
  class SelfFilled : public GreenSquare {
   public:
    using GreenSquare::GreenSquare;
    void Paint() override {
      GreenSquare::Paint();
      TvxCanvas& canvas = *Canvas();
      canvas.Fill().SetStyle(vxBrushVisual);
      canvas.Fill().Visual()->SetVisualObject(this);
      canvas.FillRect(RectOf(0, 0, 5, 5), 0, 0, AllCorners, 1, vxCornerRound);
    }
  } self(nullptr);
  self.SetBounds(0, 0, 10, 10);
  canvas.Fill().Visual()->SetVisualObject(&self);
  canvas.FillRect(RectOf(0, 0, 20, 20), 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(self.paints, 1);
}

TEST_F(VisualFill, WithoutAnObjectNothingIsPainted) {
  canvas.Fill().Visual()->SetVisualObject(nullptr);
  canvas.FillRect(RectOf(0, 0, 20, 20), 5, 5, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(PixelAt(canvas, 10, 10), 0u);
}

}  // namespace
