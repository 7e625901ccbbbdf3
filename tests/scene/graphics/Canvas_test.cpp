#include <gtest/gtest.h>

#include <limits>

#include "GraphicsFakes.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/RectOutline.h"

namespace {

using Entries = std::vector<TvxPathPoint>;
constexpr auto M = vxPathPointMoveTo;
constexpr auto L = vxPathPointLineTo;
constexpr auto C = vxPathPointCurveTo;
constexpr auto Z = vxPathPointClose;

TvxPathPoint E(TvxPathPointKind kind, float x, float y) {
  return {kind, {x, y}};
}

std::vector<float> Dashes(const TvxCanvas& canvas) {
  return {canvas.DashArray().begin(), canvas.DashArray().end()};
}

TEST(CanvasState, StartsWithWhiteFillAndBlackStroke) {
  RecordingCanvas canvas(0, -3);
  EXPECT_EQ(canvas.Width(), 1);
  EXPECT_EQ(canvas.Height(), 1);
  EXPECT_TRUE(canvas.Buffered());
  EXPECT_EQ(canvas.Fill().Style(), vxBrushSolid);
  EXPECT_EQ(canvas.Fill().Color(), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.Stroke().Color(), 0xFF000000u);
  EXPECT_EQ(canvas.Font().Family(), "Tahoma");
  canvas.Font().SetSize(20);
  EXPECT_EQ(canvas.fontChanges, 1);

  TvxBitmap bitmap(30, 20);
  RecordingCanvas onBitmap(bitmap);
  EXPECT_FALSE(onBitmap.Buffered());
  EXPECT_EQ(onBitmap.Bitmap(), &bitmap);
  EXPECT_EQ(onBitmap.Width(), 30);
  EXPECT_EQ(onBitmap.Height(), 20);
}

TEST(CanvasDeviceScale, ScalesAfterEveryMatrixAndKeepsTheLogicalOne) {
  RecordingCanvas canvas(40, 40);
  EXPECT_EQ(canvas.DeviceScale(), 1);
  TvxMatrix moved = IdentityMatrix;
  moved.m31 = 3;
  moved.m32 = 4;
  canvas.SetMatrix(moved);
  canvas.SetDeviceScale(2);
  EXPECT_EQ(canvas.Matrix().m31, 3);
  canvas.FillRect({0, 0, 5, 5}, 0, 0, AllCorners, 1, vxCornerRound);
  const TvxMatrix device = canvas.calls.back().matrix;
  EXPECT_EQ(device.m11, 2);
  EXPECT_EQ(device.m22, 2);
  EXPECT_EQ(device.m31, 6);  // the translation is scaled too
  EXPECT_EQ(device.m32, 8);
}

TEST(CanvasDeviceScale, ClearRectCoversWholeDevicePixels) {
  RecordingCanvas canvas(100, 100);
  canvas.ClearRect({1.5f, 2, 3.2f, 4}, 0);
  EXPECT_EQ(canvas.calls.back().rect, (TvxRect{1.5f, 2, 3.2f, 4}));  // untouched at 1
  canvas.SetDeviceScale(1.5f);
  canvas.ClearRect({1, 2, 3.2f, 4}, 0);
  EXPECT_EQ(canvas.calls.back().rect, (TvxRect{1, 3, 5, 6}));
  // An edge a rounding error off a device pixel's border stays on it.
  canvas.ClearRect({4 / 1.5f, 0, 8 / 1.5f, 1}, 0);
  EXPECT_EQ(canvas.calls.back().rect, (TvxRect{4, 0, 8, 2}));
}

TEST(CanvasDeviceScale, OutOfRangeScalesAreRefused) {
  RecordingCanvas canvas(10, 10);
  for (float bad : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN()}) {
    canvas.SetDeviceScale(3);
    canvas.SetDeviceScale(bad);
    EXPECT_EQ(canvas.DeviceScale(), 1) << bad;
  }
  canvas.SetDeviceScale(16);
  EXPECT_EQ(canvas.DeviceScale(), 16);
  canvas.SetDeviceScale(16.5f);
  EXPECT_EQ(canvas.DeviceScale(), 16);
  canvas.SetDeviceScale(0.5f);  // a low-density screen is a ratio like any other
  EXPECT_EQ(canvas.DeviceScale(), 0.5f);
}

TEST(CanvasState, DashPresets) {
  RecordingCanvas canvas(10, 10);
  canvas.SetDashOffset(2);
  canvas.SetStrokeDash(vxDashDashDot);
  EXPECT_EQ(Dashes(canvas), (std::vector<float>{3, 1, 1, 1}));
  EXPECT_EQ(canvas.DashOffset(), 0);
  canvas.SetDashOffset(2);
  canvas.SetStrokeDash(vxDashCustom);
  EXPECT_EQ(Dashes(canvas), (std::vector<float>{3, 1, 1, 1}));
  EXPECT_EQ(canvas.DashOffset(), 2);
  canvas.SetStrokeDash(vxDashDash);
  EXPECT_EQ(Dashes(canvas), (std::vector<float>{3, 1}));
  canvas.SetStrokeDash(vxDashDot);
  EXPECT_EQ(Dashes(canvas), (std::vector<float>{1, 1}));
  canvas.SetStrokeDash(vxDashDashDotDot);
  EXPECT_EQ(Dashes(canvas), (std::vector<float>{3, 1, 1, 1, 1, 1}));
  canvas.SetStrokeDash(vxDashSolid);
  EXPECT_TRUE(Dashes(canvas).empty());
}

TEST(CanvasState, SavesNestAsAStackAndReuseFreedSlots) {
  RecordingCanvas canvas(10, 10);
  const TvxMatrix shifted{1, 0, 0, 0, 1, 0, 5, 5, 1};
  canvas.SetStrokeThickness(2);
  canvas.Fill().SetColor(0xFF112233);
  const int first = canvas.SaveCanvas();
  canvas.SetMatrix(shifted);
  canvas.SetStrokeThickness(4);
  canvas.SetStrokeCap(vxCapRound);
  canvas.SetStrokeDash(vxDashDot);
  canvas.Fill().SetStyle(vxBrushNone);
  canvas.Font().SetFamily("Impact");
  const int second = canvas.SaveCanvas();
  canvas.SetStrokeJoin(vxJoinBevel);
  canvas.Stroke().SetColor(0xFFFF0000);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);

  canvas.RestoreCanvas(second);
  EXPECT_EQ(canvas.StrokeJoin(), vxJoinMiter);
  EXPECT_EQ(canvas.Stroke().Color(), 0xFF000000u);
  EXPECT_EQ(canvas.StrokeThickness(), 4);
  EXPECT_EQ(Dashes(canvas), (std::vector<float>{1, 1}));
  canvas.RestoreCanvas(first);
  EXPECT_EQ(canvas.Matrix(), IdentityMatrix);
  EXPECT_EQ(canvas.StrokeThickness(), 2);
  EXPECT_EQ(canvas.StrokeCap(), vxCapFlat);
  EXPECT_EQ(canvas.StrokeDash(), vxDashSolid);
  EXPECT_TRUE(Dashes(canvas).empty());  // the dash set after the save is gone too
  EXPECT_EQ(canvas.Fill().Style(), vxBrushSolid);
  EXPECT_EQ(canvas.Fill().Color(), 0xFF112233u);
  EXPECT_EQ(canvas.Font().Family(), "Tahoma");
  EXPECT_EQ(canvas.restoredStates, (std::vector<int>{101, 100}));

  // Freed slots are taken again, first free first; stale indexes do nothing.
  EXPECT_EQ(canvas.SaveCanvas(), 0);
  EXPECT_EQ(canvas.SaveCanvas(), 1);
  canvas.RestoreCanvas(0);
  canvas.RestoreCanvas(0);
  canvas.RestoreCanvas(7);
  canvas.RestoreCanvas(-1);
  EXPECT_EQ(canvas.restoredStates.size(), 3u);
  EXPECT_EQ(canvas.SaveCanvas(), 0);

  canvas.hasContext = false;
  EXPECT_EQ(canvas.SaveCanvas(), -1);
}

TEST(CanvasShapes, PolygonsBecomePathsAtTheirOwnBounds) {
  RecordingCanvas canvas(10, 10);
  const std::vector<TvxPoint> points{{0, 0},   {10, 0},  {10, 10}, PolygonCloseMarker,
                                     {20, 20}, {30, 20}, {30, 30}};
  canvas.FillPolygon(points, 0.5f);
  canvas.DrawPolygon(points, 1);
  canvas.FillPolygon({}, 1);
  ASSERT_EQ(canvas.calls.size(), 2u);
  const Entries figures{E(M, 0, 0),   E(L, 10, 0),  E(L, 10, 10), E(Z, 0, 0),
                        E(M, 20, 20), E(L, 30, 20), E(L, 30, 30)};
  Entries filled = figures;
  filled.push_back(E(Z, 20, 20));  // filling closes the open last figure
  EXPECT_EQ(canvas.calls[0].name, "FillPath");
  EXPECT_EQ(canvas.calls[0].path, filled);
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{0, 0, 30, 30}));
  EXPECT_EQ(canvas.calls[0].opacity, 0.5f);
  EXPECT_EQ(canvas.calls[1].name, "DrawPath");
  EXPECT_EQ(canvas.calls[1].path, figures);
}

TEST(CanvasShapes, ArcsAreDrawnAsTheirPath) {
  RecordingCanvas canvas(10, 10);
  canvas.FillArc({50, 50}, {10, 20}, 0, 90, 1);
  canvas.DrawArc({50, 50}, {10, 20}, 0, 0, 1);
  canvas.DrawArc({50, 50}, {10, 20}, 90, 180, 1);
  ASSERT_EQ(canvas.calls.size(), 2u);
  const RecordedCall& fill = canvas.calls[0];
  ASSERT_EQ(fill.path.size(), 4u);
  EXPECT_EQ(fill.path[0].Kind, M);
  EXPECT_NEAR(fill.rect.Left, 50, 1e-3);
  EXPECT_NEAR(fill.rect.Right, 60, 1e-3);
  EXPECT_NEAR(fill.rect.Bottom, 70, 1e-3);
  const RecordedCall& draw = canvas.calls[1];
  EXPECT_EQ(draw.name, "DrawPath");
  EXPECT_EQ(draw.path.size(), 7u);
  EXPECT_NEAR(draw.rect.Left, 40, 1e-3);
}

TEST(CanvasShapes, RectSidesLiftThePenOverMissingSides) {
  RecordingCanvas canvas(10, 10);
  canvas.DrawRectSides({0, 0, 100, 50}, 10, 10, 0, 1, 1 << vxSideTop, vxCornerRound);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].path,
            (Entries{E(M, 0, 10), E(M, 0, 0), E(L, 10, 0), E(L, 90, 0), E(L, 100, 0), E(M, 100, 10),
                     E(M, 100, 40), E(M, 100, 50), E(M, 90, 50), E(M, 10, 50), E(M, 0, 50),
                     E(M, 0, 40), E(M, 0, 10)}));
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{0, 0, 100, 50}));

  // Corners in the set are drawn with controls at half the radius; radii are capped.
  canvas.calls.clear();
  const TvxSides leftAndTop = 1 << vxSideTop | 1 << vxSideLeft;
  canvas.DrawRectSides({0, 0, 30, 16}, 20, 20, 1 << vxCornerTopLeft, 1, leftAndTop, vxCornerRound);
  const Entries& round = canvas.calls[0].path;
  ASSERT_GE(round.size(), 5u);
  EXPECT_EQ(Entries(round.begin(), round.begin() + 5),
            (Entries{E(M, 0, 8), E(C, 0, 4), E(C, 7.5f, 0), E(C, 15, 0), E(L, 15, 0)}));
  EXPECT_EQ(round.back(), E(L, 0, 8));

  canvas.calls.clear();
  canvas.DrawRectSides({0, 0, 40, 40}, 10, 10, AllCorners, 1, leftAndTop, vxCornerInnerLine);
  const Entries& inner = canvas.calls[0].path;
  EXPECT_EQ(Entries(inner.begin(), inner.begin() + 4),
            (Entries{E(M, 0, 10), E(L, 5, 10), E(L, 10, 5), E(L, 10, 0)}));
}

TEST(CanvasText, TextWidthMeasuresOneLine) {
  RecordingCanvas canvas(10, 10);
  EXPECT_EQ(canvas.TextWidth(u"关机 now"), 7 * 6);
  ASSERT_EQ(canvas.calls.size(), 1u);
  // Without word wrap the measured box starts empty.
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{0, 0, 0, 20}));
}

// What the canvas settles before a backend hook sees the call.
class CanvasFront : public testing::Test {
 protected:
  RecordingCanvas canvas{100, 100};
  TvxPathData line;  // its bounds have no height
  TvxPathData triangle;

  void SetUp() override {
    line.MoveTo({0, 5});
    line.LineTo({10, 5});
    triangle.MoveTo({0, 0});
    triangle.LineTo({10, 0});
    triangle.LineTo({0, 10});
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const RecordedCall& call : canvas.calls) names.push_back(call.name);
    return names;
  }
  void FillAll() {
    canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1, vxCornerRound);
    canvas.FillRect({0, 0, 10, 10}, 2, 2, AllCorners, 1, vxCornerRound);
    canvas.FillEllipse({0, 0, 10, 10}, 1);
    canvas.FillPath(triangle, {0, 0, 10, 10}, 1);
    canvas.FillText({0, 0, 10, 10}, u"关机", false, 1, vxTextAlignNear, vxTextAlignNear);
  }
  void StrokeAll() {
    canvas.DrawLine({0, 0}, {5, 5}, 1);
    canvas.DrawRect({0, 0, 10, 10}, 0, 0, AllCorners, 1, vxCornerRound);
    canvas.DrawRect({0, 0, 10, 10}, 2, 2, AllCorners, 1, vxCornerRound);
    canvas.DrawEllipse({0, 0, 10, 10}, 1);
    canvas.DrawPath(triangle, {0, 0, 10, 10}, 1);
  }
};

TEST_F(CanvasFront, NothingToPaintWithReachesNoHook) {
  canvas.Fill().SetStyle(vxBrushNone);
  canvas.Stroke().SetStyle(vxBrushNone);
  FillAll();
  StrokeAll();
  EXPECT_TRUE(canvas.calls.empty());

  canvas.Fill().SetStyle(vxBrushSolid);
  canvas.Stroke().SetStyle(vxBrushSolid);
  FillAll();
  StrokeAll();
  EXPECT_EQ(Names(), (std::vector<std::string>{"FillRect", "FillPath", "FillEllipse", "FillPath",
                                               "FillText", "DrawLine", "DrawRect", "DrawOutline",
                                               "DrawEllipse", "DrawPath"}));
}

TEST_F(CanvasFront, ResourceBrushesAreResolvedFirst) {
  TvxBrushObject red(nullptr), none(nullptr);
  red.Brush()->SetColor(0xFFFF0000);
  none.Brush()->SetStyle(vxBrushNone);
  canvas.Fill().SetStyle(vxBrushResource);
  canvas.Fill().Resource()->SetResource(&red);
  canvas.Stroke().SetStyle(vxBrushResource);
  canvas.Stroke().Resource()->SetResource(&none);
  canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1, vxCornerRound);
  canvas.DrawLine({0, 0}, {5, 5}, 1);
  EXPECT_EQ(Names(), std::vector<std::string>{"FillRect"});
  EXPECT_EQ(canvas.Fill().Style(), vxBrushSolid);
  EXPECT_EQ(canvas.Fill().Color(), 0xFFFF0000u);
  EXPECT_EQ(canvas.Stroke().Style(), vxBrushNone);

  // A name that finds nothing leaves nothing to fill with.
  canvas.calls.clear();
  canvas.Fill().SetStyle(vxBrushResource);
  canvas.Fill().Resource()->SetResourceName("nowhere");
  canvas.FillEllipse({0, 0, 10, 10}, 1);
  EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(CanvasFront, ShapedCornersNeedARadiusAndACorner) {
  canvas.FillRect({0, 0, 60, 40}, 0, 0, AllCorners, 1, vxCornerRound);
  canvas.FillRect({0, 0, 60, 40}, 5, 5, 0, 1, vxCornerRound);
  canvas.FillRect({0, 0, 60, 40}, 0, 1, AllCorners, 1, vxCornerRound);
  canvas.DrawRect({0, 0, 60, 40}, 1e-41f, 0, AllCorners, 1, vxCornerRound);
  canvas.DrawRect({0, 0, 60, 40}, 1e-39f, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(Names(), (std::vector<std::string>{"FillRect", "FillRect", "FillPath", "DrawRect",
                                               "DrawOutline"}));
}

TEST_F(CanvasFront, CornerOutlinesCutRadiiToHalfTheSide) {
  canvas.FillRect({0, 0, 60, 100}, 50, 10, 1 << vxCornerTopLeft, 1, vxCornerBevel);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].path, (Entries{E(M, 0, 10), E(L, 30, 0), E(L, 30, 0), E(L, 60, 0),
                                           E(L, 60, 10), E(L, 60, 90), E(L, 60, 100), E(L, 30, 100),
                                           E(L, 30, 100), E(L, 0, 100), E(L, 0, 90), E(Z, 0, 10)}));
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{0, 0, 60, 100}));

  canvas.calls.clear();
  canvas.DrawRect({0, 0, 40, 40}, 10, 10, 1 << vxCornerTopLeft, 1, vxCornerRound);
  const Entries& round = canvas.calls[0].path;
  ASSERT_GE(round.size(), 4u);
  EXPECT_EQ(round[1].Kind, C);
  EXPECT_NEAR(round[1].Point.Y, 10 * CornerKappa, 1e-5);
  EXPECT_EQ(round[3], E(C, 10, 0));
}

TEST_F(CanvasFront, PathsWithoutAreaAreNeitherFilledNorStroked) {
  TvxPathData empty;
  canvas.FillPath(line, {0, 0, 10, 10}, 1);
  canvas.DrawPath(line, {0, 0, 10, 10}, 1);
  canvas.FillPath(empty, {0, 0, 10, 10}, 1);
  EXPECT_FALSE(canvas.PtInPath({1, 1}, {0, 0, 10, 10}, line));
  EXPECT_TRUE(canvas.calls.empty());
  canvas.PtInPath({1, 1}, {0, 0, 10, 10}, triangle);
  EXPECT_EQ(Names(), std::vector<std::string>{"PtInPath"});
}

TEST_F(CanvasFront, BitmapsNeedPixelsAndSomeOpacity) {
  TvxBitmap bitmap(4, 4), none(0, 4);
  const TvxRect r{0, 0, 4, 4};
  canvas.DrawBitmap(bitmap, r, r, 0, false);
  canvas.DrawBitmap(bitmap, r, r, -1, false);
  canvas.DrawBitmap(none, r, r, 1, false);
  EXPECT_TRUE(canvas.calls.empty());
  canvas.DrawBitmap(bitmap, r, r, 0.5f, false);
  canvas.DrawBitmap(bitmap, r, r, 3, false);
  ASSERT_EQ(canvas.calls.size(), 2u);
  EXPECT_EQ(canvas.calls[0].opacity, 0.5f);
  EXPECT_EQ(canvas.calls[1].opacity, 1);

  // Thumbnails are for canvases made from a bitmap.
  canvas.calls.clear();
  canvas.DrawThumbnail(bitmap, 2, 2);
  EXPECT_TRUE(canvas.calls.empty());
  TvxBitmap target(2, 2);
  RecordingCanvas onBitmap(target);
  onBitmap.DrawThumbnail(bitmap, 2, 2);
  EXPECT_EQ(onBitmap.calls.size(), 1u);
}

TEST_F(CanvasFront, TextAtFullOpacityIsDrawnAt99Percent) {
  canvas.FillText({0, 0, 10, 10}, u"a", false, 1, vxTextAlignNear, vxTextAlignNear);
  canvas.FillText({0, 0, 10, 10}, u"a", false, 0.98f, vxTextAlignNear, vxTextAlignNear);
  canvas.FillText({0, 0, 10, 10}, u"", false, 1, vxTextAlignNear, vxTextAlignNear);
  ASSERT_EQ(canvas.calls.size(), 2u);
  EXPECT_FLOAT_EQ(canvas.calls[0].opacity, 0.99f);
  EXPECT_FLOAT_EQ(canvas.calls[1].opacity, 0.98f);

  canvas.calls.clear();
  TvxRect box{5, 5, 50, 20};
  canvas.MeasureText(box, u"", false, vxTextAlignNear, vxTextAlignNear);
  EXPECT_EQ(box, (TvxRect{5, 5, 5, 20}));
  box = {5, 5, 50, 20};
  canvas.MeasureText(box, u"", true, vxTextAlignNear, vxTextAlignNear);
  EXPECT_EQ(box, (TvxRect{5, 5, 50, 20}));
  TvxPathData outline;
  EXPECT_FALSE(canvas.TextToPath(outline, box, u"", false, vxTextAlignNear, vxTextAlignNear));
  EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(CanvasFront, FlushingNeedsATargetAndCoversTheWholeBuffer) {
  canvas.FlushBuffer(0, 0, nullptr);
  EXPECT_TRUE(canvas.calls.empty());
  int target = 0;
  canvas.FlushBuffer(3, 4, &target);
  ASSERT_EQ(canvas.calls.size(), 1u);
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{0, 0, 99, 99}));
}

// Fills its own 10 x 10 area and strokes a line; sets a stroke of its own.
class Swatch : public TvxVisualObject {
 public:
  using TvxVisualObject::TvxVisualObject;
  void Paint() override {
    TvxCanvas& canvas = *Canvas();
    canvas.Fill().SetStyle(vxBrushSolid);
    canvas.FillRect({0, 0, 10, 10}, 0, 0, AllCorners, 1, vxCornerRound);
    canvas.SetStrokeThickness(7);
  }
};

TEST_F(CanvasFront, VisualFillsPaintUnderTheShapesMatrix) {
  Swatch swatch(nullptr);
  swatch.SetBounds(0, 0, 10, 10);
  canvas.Fill().SetStyle(vxBrushVisual);
  canvas.Fill().Visual()->SetVisualObject(&swatch);
  const TvxMatrix shape{2, 0, 0, 0, 2, 0, 100, 10, 1};
  canvas.SetMatrix(shape);
  canvas.FillRect({5, 0, 25, 40}, 0, 0, AllCorners, 0.5f, vxCornerRound);
  EXPECT_EQ(Names(), (std::vector<std::string>{"IntersectClipRect", "FillRect"}));
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{5, 0, 25, 40}));
  // The swatch is stretched onto (5, 0, 25, 40), then the shape's matrix applies.
  EXPECT_EQ(canvas.calls[1].matrix, (TvxMatrix{4, 0, 0, 0, 8, 0, 110, 10, 1}));
  EXPECT_EQ(canvas.Matrix(), shape);
  EXPECT_EQ(canvas.StrokeThickness(), 1);
  EXPECT_EQ(canvas.Fill().Style(), vxBrushVisual);

  // Other shapes clip to their outline stretched into the rectangle.
  canvas.calls.clear();
  canvas.FillEllipse({0, 0, 10, 10}, 1);
  canvas.FillPath(triangle, {0, 0, 20, 20}, 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"IntersectClipPath", "FillRect", "IntersectClipPath",
                                               "FillRect"}));
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{0, 0, 10, 10}));
  EXPECT_EQ(canvas.calls[2].path.size(), 3u);
  // After the fill, drawing is back under the shape's matrix.
  canvas.calls.clear();
  canvas.Fill().SetStyle(vxBrushSolid);
  canvas.FillRect({0, 0, 1, 1}, 0, 0, AllCorners, 1, vxCornerRound);
  EXPECT_EQ(canvas.calls[0].matrix, shape);
}

TEST_F(CanvasFront, VisualFillsNeverPaintText) {
  Swatch swatch(nullptr);
  canvas.Fill().SetStyle(vxBrushVisual);
  canvas.Fill().Visual()->SetVisualObject(&swatch);
  canvas.FillText({0, 0, 10, 10}, u"a", false, 1, vxTextAlignNear, vxTextAlignNear);
  EXPECT_TRUE(canvas.calls.empty());
}

}  // namespace
