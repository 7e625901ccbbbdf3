#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "scene/graphics/BlurRectangles.h"
#include "scene/graphics/Image.h"
#include "scene/graphics/Layouts.h"
#include "scene/graphics/Path.h"
#include "scene/graphics/Rectangles.h"
#include "scene/graphics/Shapes.h"
#include "scene/graphics/Text.h"
#include "scene/graphics/raster/RasterTesting_support.h"
#include "tests/scene/FakeScene.h"

namespace {

constexpr TvxColor kRed = 0xFFFF0000;
constexpr TvxColor kBlue = 0xFF0000FF;

class Rendered {
 public:
  explicit Rendered(TvxVisualObject& object) : bitmap_(object.PaintToBitmap()) {}
  TvxColor At(int x, int y) const {
    return bitmap_->Pixels()[size_t(y) * size_t(bitmap_->Width()) + size_t(x)];
  }
  uint32_t Alpha(int x, int y) const { return At(x, y) >> 24; }
  // The largest alpha within kEdgeTolerance, for pixels on an edge.
  uint32_t AlphaNear(int x, int y) const {
    uint32_t most = 0;
    for (int v = y - kEdgeTolerance; v <= y + kEdgeTolerance; ++v)
      for (int u = x - kEdgeTolerance; u <= x + kEdgeTolerance; ++u)
        most = std::max(most, Alpha(u, v));
    return most;
  }
  // The bounds of the pixels with some coverage inside `area` (cut to the image); empty when
  // there are none.
  TvxRect Ink(const TvxRect& area) const {
    TvxRect ink{1e9f, 1e9f, -1e9f, -1e9f};
    const int right = std::min(int(area.Right), bitmap_->Width());
    const int bottom = std::min(int(area.Bottom), bitmap_->Height());
    for (int y = int(area.Top); y < bottom; ++y)
      for (int x = int(area.Left); x < right; ++x)
        if (Alpha(x, y) > 0) ink = UnionRect(ink, {float(x), float(y), x + 1.0f, y + 1.0f});
    return ink;
  }

 private:
  std::unique_ptr<TvxBitmap> bitmap_;
};

template <class T>
T* AddChild(TvxVisualObject& parent, float x, float y, float w, float h) {
  auto* child = new T(&parent);
  child->SetParent(&parent);
  child->SetBounds(x, y, w, h);
  return child;
}

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

TEST(ShapesRender, VisualFillShowsInsideTheShapeWhereverItStands) {
  TwoTone tones(nullptr);
  tones.SetBounds(0, 0, 40, 40);
  TvxLayout parent(nullptr);
  parent.SetBounds(0, 0, 160, 80);
  for (const TvxPoint place : {PointOf(100, 10), PointOf(20, 20)}) {
    auto* rectangle = AddChild<TvxRectangle>(parent, place.X, place.Y, 40, 40);
    rectangle->Stroke()->SetStyle(vxBrushNone);
    rectangle->Fill()->SetStyle(vxBrushVisual);
    rectangle->Fill()->Visual()->SetVisualObject(&tones);
  }
  const Rendered image(parent);
  EXPECT_EQ(image.At(110, 30), kRed);
  EXPECT_EQ(image.At(130, 30), kBlue);
  EXPECT_EQ(image.At(30, 40), kRed);
  EXPECT_EQ(image.At(50, 40), kBlue);
  EXPECT_EQ(image.Alpha(80, 5), 0u);
}

TEST(ShapesRender, ArcStrokesOnlyItsSweep) {
  TvxArc arc(nullptr);
  arc.SetBounds(0, 0, 60, 60);
  arc.Stroke()->SetColor(kRed);
  arc.SetStrokeThickness(4);
  arc.SetEndAngle(90);  // from 3 o'clock clockwise to 6 o'clock
  const Rendered image(arc);
  EXPECT_EQ(image.At(49, 49), kRed);
  EXPECT_EQ(image.Alpha(10, 10), 0u);
  EXPECT_EQ(image.Alpha(49, 10), 0u);
  EXPECT_EQ(image.Alpha(30, 30), 0u);  // no fill
}

TEST(ShapesRender, PieFillsTheQuarterToTwelve) {
  TvxPie pie(nullptr);
  pie.SetBounds(0, 0, 60, 60);
  pie.Fill()->SetColor(kRed);
  pie.Stroke()->SetStyle(vxBrushNone);
  const Rendered image(pie);
  EXPECT_EQ(image.At(45, 15), kRed);
  EXPECT_EQ(image.Alpha(15, 15), 0u);
  EXPECT_EQ(image.Alpha(45, 45), 0u);
}

TEST(ShapesRender, RoundRectRoundsTheShortEnds) {
  TvxRoundRect round(nullptr);
  round.SetBounds(0, 0, 60, 20);
  round.Fill()->SetColor(kRed);
  round.Stroke()->SetStyle(vxBrushNone);
  const Rendered image(round);
  EXPECT_EQ(image.Alpha(1, 1), 0u);
  EXPECT_EQ(image.Alpha(1, 2), 0u);
  EXPECT_EQ(image.At(30, 0), kRed);
  EXPECT_EQ(image.At(30, 10), kRed);
  EXPECT_GT(image.Alpha(0, 10), 100u);
}

TEST(ShapesRender, MissingTopSideIsFilledButNotStroked) {
  TvxRectangle rectangle(nullptr);
  rectangle.SetBounds(0, 0, 40, 40);
  rectangle.Fill()->SetColor(kRed);
  rectangle.Stroke()->SetColor(kBlue);
  rectangle.SetStrokeThickness(4);
  rectangle.SetSides(AllSides & ~(1u << vxSideTop));
  const Rendered image(rectangle);
  EXPECT_EQ(image.At(20, 0), kRed);
  EXPECT_EQ(image.At(20, 1), kRed);
  EXPECT_EQ(image.At(1, 20), kBlue);
  EXPECT_EQ(image.At(20, 38), kBlue);
  EXPECT_EQ(image.At(20, 20), kRed);
}

TEST(ShapesRender, SoftnessBlursTheEdgesAndOpacityNeedsNoRebuild) {
  TvxBlurRectangle blur(nullptr);
  blur.SetBounds(0, 0, 40, 40);
  blur.Fill()->SetColor(kRed);
  blur.SetSoftness(0);
  EXPECT_EQ(Rendered(blur).At(0, 0), kRed);

  blur.SetSoftness(0.3f);  // a blur radius of 4 around a shape inset by 4
  const Rendered soft(blur);
  EXPECT_EQ(soft.At(20, 20), kRed);
  EXPECT_GT(soft.Alpha(4, 20), 60u);
  EXPECT_LT(soft.Alpha(4, 20), 200u);
  EXPECT_LT(soft.Alpha(0, 20), 60u);

  blur.SetOpacity(0.5f);
  EXPECT_NEAR(Rendered(blur).Alpha(20, 20), 128, 2);
}

TEST(ShapesRender, SoftRectangleWiderThanItsCacheIsStillCovered) {
  TvxBlurRectangle blur(nullptr);
  blur.SetBounds(0, 0, 5000, 20);
  blur.Fill()->SetColor(kRed);
  const Rendered image(blur);
  EXPECT_EQ(image.At(2500, 10), kRed);
  EXPECT_GT(image.Alpha(4990, 10), 240u);
  EXPECT_LT(image.Alpha(4999, 10), 60u);
}

class TextRender : public testing::Test {
 protected:
  TextRender() {
    text.SetBounds(0, 0, 200, 60);
    text.Fill()->SetColor(kRed);
    text.Font()->SetSize(20);
    text.SetText(u"IIII");
  }
  TvxRect Ink() { return Rendered(text).Ink({0, 0, 200, 60}); }
  TvxText text{nullptr};
};

TEST_F(TextRender, HorizontalAlignment) {
  const TvxRect centred = Ink();
  EXPECT_NEAR((centred.Left + centred.Right) / 2, 100, 4);
  text.SetHorzTextAlign(vxTextAlignNear);
  EXPECT_LT(Ink().Left, 10);
  text.SetHorzTextAlign(vxTextAlignFar);
  EXPECT_GT(Ink().Right, 190);
}

TEST_F(TextRender, VerticalAlignmentAndWordWrap) {
  text.SetVertTextAlign(vxTextAlignNear);
  EXPECT_LT(Ink().Top, 10);
  text.SetVertTextAlign(vxTextAlignFar);
  EXPECT_GT(Ink().Bottom, 50);

  text.SetVertTextAlign(vxTextAlignNear);
  text.SetBounds(0, 0, 60, 60);
  text.SetText(u"IIII IIII IIII");
  const float wrapped = Ink().Bottom;
  text.SetWordWrap(false);
  EXPECT_GT(wrapped, Ink().Bottom + 15);
}

TEST_F(TextRender, StretchFillsTheObject) {
  text.SetStretch(true);
  const TvxRect ink = Ink();
  EXPECT_LT(ink.Left, 20);
  EXPECT_GT(ink.Right, 180);
  EXPECT_LT(ink.Top, 15);
  EXPECT_GT(ink.Bottom, 45);
}

TEST_F(TextRender, AutoSizeWithoutWrapAddsHalfTheFontSize) {
  const std::unique_ptr<TvxCanvas> owned = MakeCanvas(10, 10);
  TvxCanvas& canvas = *owned;
  TFakeScene scene(&canvas);
  scene.SetRoot(&text);
  text.SetWordWrap(false);
  text.SetAutoSize(true);
  canvas.Font().Assign(*text.Font());
  TvxRect measured{0, 0, 1000, 1000};
  canvas.MeasureText(measured, text.Text(), false, vxTextAlignNear, vxTextAlignNear);
  EXPECT_GT(measured.Right, 10);
  EXPECT_FLOAT_EQ(text.Width(), 10 + measured.Right);
}

TEST(ShapesRender, ImageTilesAreCutAtTheObjectsEdge) {
  TvxLayout layout(nullptr);
  layout.SetBounds(0, 0, 40, 30);
  auto* image = AddChild<TvxImage>(layout, 0, 0, 24, 10);
  image->Bitmap()->SetSize(10, 10);
  image->Bitmap()->Clear(kRed);
  image->SetWrapMode(vxImageTile);
  const Rendered rendered(layout);
  EXPECT_EQ(rendered.At(5, 5), kRed);
  EXPECT_EQ(rendered.At(23, 5), kRed);
  EXPECT_EQ(rendered.Alpha(25, 5), 0u);
  EXPECT_EQ(rendered.Alpha(5, 15), 0u);
}

TEST(ShapeHitTest, EllipsePieAndPath) {
  const std::unique_ptr<TvxCanvas> owned = MakeCanvas(10, 10);
  TvxCanvas& canvas = *owned;
  TFakeScene scene(&canvas);
  TvxLayout root(nullptr);
  root.SetBounds(0, 0, 300, 300);
  scene.SetRoot(&root);

  auto* ellipse = AddChild<TvxEllipse>(root, 0, 0, 100, 100);
  EXPECT_TRUE(ellipse->PointInObject({50, 50}));
  EXPECT_FALSE(ellipse->PointInObject({5, 5}));

  auto* pie = AddChild<TvxPie>(root, 100, 0, 100, 100);
  EXPECT_TRUE(pie->PointInObject({175, 25}));
  EXPECT_FALSE(pie->PointInObject({125, 75}));

  auto* path = AddChild<TvxPath>(root, 0, 100, 200, 100);
  path->Stroke()->SetStyle(vxBrushNone);
  path->Data()->SetData("M 0,0 L 10,0 L 10,10 Z");
  EXPECT_TRUE(path->PointInObject({190, 110}));
  EXPECT_FALSE(path->PointInObject({10, 190}));
  // Fitted, the outline is hit where it is drawn, not where it would be stretched to.
  path->SetWrapMode(vxPathFit);
  path->Data()->SetData("M 0,0 L 100,0 L 100,100 Z");
  EXPECT_TRUE(path->PointInObject({140, 110}));
  EXPECT_FALSE(path->PointInObject({190, 110}));
  EXPECT_EQ(root.ObjectAtPoint({175, 25}), pie);

  // Without a canvas to ask, the pie answers like its ellipse.
  TvxPie alone(nullptr);
  alone.SetBounds(0, 0, 100, 100);
  EXPECT_TRUE(alone.PointInObject({25, 75}));
}

// The desktop sprite's tree: a body catching the mouse, a three-arc ring, a rule and two texts.
class SpriteRender : public testing::Test {
 protected:
  SpriteRender() {
    root.SetBounds(0, 0, 479, 195);
    auto* body = AddChild<TvxRectangle>(root, 29, 51, 252, 88);
    body->Fill()->SetColor(0x01000000);
    body->Stroke()->SetStyle(vxBrushNone);
    auto* layout2 = AddChild<TvxLayout>(*body, 0, 0, 252, 88);
    layout2->SetAlign(vaCenter);
    auto* layout1 = AddChild<TvxLayout>(*layout2, 5, 0, 84, 87);
    auto* arc1 = Arc(*layout1, 70, 0x78E9E9E9, 2, 360);
    auto* arc2 = Arc(*arc1, 62, 0x32C3C3C3, 10, 360);
    arcTime = Arc(*arc2, 57, 0xFFE5E5E5, 5, -90);
    arcTime->SetRotateAngle(-90);
    arcTime->SetStrokeCap(vxCapRound);
    auto* line = AddChild<TvxLine>(*layout2, 81, 50, 160, 10);
    line->Stroke()->SetColor(0xA0FFFFFF);
    line->SetLineType(vxLineHorizontal);
    Text(*layout2, {89, 50, 240, 80}, 0xC8FFFFFF, "黑体", 15, u"关机倒计时");
    auto* time = Text(*layout2, {89, 13, 298, 50}, 0xE6E9E9E9, "Impact", 36, u"00:00:00");
    time->SetHorzTextAlign(vxTextAlignNear);
  }
  TvxArc* Arc(TvxVisualObject& parent, float size, TvxColor color, float thickness, float end) {
    auto* arc = AddChild<TvxArc>(parent, 0, 0, size, size);
    arc->SetAlign(vaCenter);
    arc->Stroke()->SetColor(color);
    arc->SetStrokeThickness(thickness);
    arc->SetEndAngle(end);
    return arc;
  }
  TvxText* Text(TvxVisualObject& parent, const TvxRect& r, TvxColor color, const char* family,
                float size, const std::u16string& content) {
    auto* text = AddChild<TvxText>(parent, r.Left, r.Top, RectWidth(r), RectHeight(r));
    text->Fill()->SetColor(color);
    text->Font()->SetFamily(family);
    text->Font()->SetSize(size);
    text->Font()->SetStyle(vxFontBold);
    text->Font()->SetClearType(false);
    text->SetText(content);
    return text;
  }
  TvxLayout root{nullptr};
  TvxArc* arcTime = nullptr;
};

TEST_F(SpriteRender, IdleLook) {
  const Rendered image(root);
  EXPECT_EQ(image.At(5, 5), 0u);              // outside the body nothing is drawn
  EXPECT_EQ(image.At(35, 130), 0x01000000u);  // the body is all but invisible
  // The ring, centred at (76, 94): the outer circle at the top, and the progress arc from
  // 12 o'clock counter-clockwise to 9 o'clock over the faint track.
  EXPECT_GT(image.Alpha(76, 60), 40u);
  EXPECT_GT(image.Alpha(57, 75), 200u);
  EXPECT_LT(image.Alpha(94, 75), 100u);
  EXPECT_GT(image.AlphaNear(150, 101), 100u);  // the rule along the top of Line1
  const TvxRect time = image.Ink({118, 64, 327, 101});
  EXPECT_GT(RectWidth(time), 100);
  EXPECT_LT(time.Left, 125);                                  // near-aligned
  EXPECT_GT(RectWidth(image.Ink({118, 103, 269, 131})), 40);  // the caption, below the rule
}

TEST_F(SpriteRender, RunningRingSweepsClockwiseFromTwelve) {
  arcTime->SetEndAngle(90);
  const Rendered image(root);
  EXPECT_GT(image.Alpha(94, 75), 200u);
  EXPECT_LT(image.Alpha(57, 75), 100u);
}

}  // namespace
