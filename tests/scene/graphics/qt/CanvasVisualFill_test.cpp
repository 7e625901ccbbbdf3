#include <gtest/gtest.h>

#include "scene/core/VisualObject.h"
#include "scene/graphics/qt/CanvasQt.h"
#include "scene/graphics/qt/RasterTesting_support.h"

namespace {

constexpr TvxColor kGreen = 0xFF00FF00;

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

class VisualFill : public testing::Test {
 protected:
  TvxCanvasQt canvas{40, 40};
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
