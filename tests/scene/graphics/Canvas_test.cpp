#include <gtest/gtest.h>

#include "GraphicsFakes.h"

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
  EXPECT_EQ(canvas.calls[0].rect, (TvxRect{0, 0, 10000, 20}));
}

}  // namespace
