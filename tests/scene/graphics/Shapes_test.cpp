#include "scene/graphics/Shapes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "GraphicsFakes.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/Registration.h"
#include "scene/core/VisualClasses.h"
#include "scene/graphics/BlurRectangles.h"
#include "scene/graphics/CalloutRectangle.h"
#include "scene/graphics/GraphicsClasses.h"
#include "scene/graphics/Image.h"
#include "scene/graphics/Layouts.h"
#include "scene/graphics/PaintBox.h"
#include "scene/graphics/Path.h"
#include "scene/graphics/Rectangles.h"
#include "scene/graphics/ShapeClasses.h"
#include "scene/graphics/Text.h"
#include "tests/scene/FakeScene.h"

namespace {

std::vector<std::string> StoredNames(TComponent& object) {
  std::vector<std::string> names;
  for (const TFormProperty& prop : TObjectWriter(object).Write(object).props)
    names.push_back(prop.name);
  return names;
}

bool Stores(TComponent& object, const std::string& name) {
  const auto names = StoredNames(object);
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Writes `from` and reads the form data back into `to`.
void RoundTrip(TComponent& from, TComponent& to) {
  TObjectReader reader;
  reader.ReadInto(to, TObjectWriter(from).Write(from));
  EXPECT_TRUE(reader.Errors().empty()) << reader.Errors().front();
}

std::vector<RecordedCall> Paint(TvxVisualObject& object) {
  RecordingCanvas canvas(200, 200);
  object.PaintTo(canvas, object.GetLocalRect());
  return canvas.calls;
}

std::vector<RecordedCall> Named(const std::vector<RecordedCall>& calls, const std::string& name) {
  std::vector<RecordedCall> out;
  for (const RecordedCall& call : calls)
    if (call.name == name) out.push_back(call);
  return out;
}

void ExpectNear(const TvxPoint& actual, TvxPoint expected) {
  EXPECT_NEAR(actual.X, expected.X, 0.01) << "x";
  EXPECT_NEAR(actual.Y, expected.Y, 0.01) << "y";
}

void ExpectRect(const TvxRect& actual, TvxRect expected) {
  EXPECT_FLOAT_EQ(actual.Left, expected.Left);
  EXPECT_FLOAT_EQ(actual.Top, expected.Top);
  EXPECT_FLOAT_EQ(actual.Right, expected.Right);
  EXPECT_FLOAT_EQ(actual.Bottom, expected.Bottom);
}

// Streaming.

TEST(ShapeStreaming, DefaultsAreLeftOut) {
  TvxEllipse ellipse(nullptr);
  EXPECT_TRUE(StoredNames(ellipse).empty());

  TvxArc arc(nullptr);
  EXPECT_EQ(arc.Fill()->Style(), vxBrushNone);
  EXPECT_EQ(arc.StartAngle(), 0);
  EXPECT_EQ(arc.EndAngle(), -90);
  EXPECT_TRUE(StoredNames(arc).empty());

  TvxText text(nullptr);
  EXPECT_EQ(text.Fill()->Color(), 0xFF000000u);
  EXPECT_EQ(text.Stroke()->Style(), vxBrushNone);
  EXPECT_TRUE(text.WordWrap());
  EXPECT_EQ(TvxText::StaticClass().FindProp("Stroke"), nullptr);
  EXPECT_TRUE(StoredNames(text).empty());

  TvxBlurRectangle blur(nullptr);
  EXPECT_EQ(blur.Stroke()->Style(), vxBrushNone);
  EXPECT_FLOAT_EQ(blur.Softness(), 0.3f);
  EXPECT_EQ(StoredNames(blur), std::vector<std::string>{"Sides"});

  TvxLine line(nullptr);
  EXPECT_EQ(TvxLine::StaticClass().FindProp("Fill"), nullptr);
  TvxImage image(nullptr);
  EXPECT_EQ(image.WrapMode(), vxImageFit);
  TvxPath path(nullptr);
  EXPECT_EQ(path.WrapMode(), vxPathStretch);
  TvxCalloutRectangle callout(nullptr);
  EXPECT_EQ(callout.CalloutWidth(), 23);
  EXPECT_EQ(callout.CalloutLength(), 11);
}

TEST(ShapeStreaming, ChangedValuesReadBack) {
  TvxArc arc(nullptr);
  arc.Stroke()->SetColor(0x78E9E9E9);
  arc.SetStrokeThickness(2);
  arc.SetStrokeCap(vxCapRound);
  arc.SetEndAngle(360);
  arc.Fill()->SetStyle(vxBrushSolid);
  TvxArc arcCopy(nullptr);
  RoundTrip(arc, arcCopy);
  EXPECT_EQ(arcCopy.Stroke()->Color(), 0x78E9E9E9u);
  EXPECT_EQ(arcCopy.StrokeThickness(), 2);
  EXPECT_EQ(arcCopy.StrokeCap(), vxCapRound);
  EXPECT_EQ(arcCopy.EndAngle(), 360);
  EXPECT_EQ(arcCopy.Fill()->Style(), vxBrushSolid);

  TvxText text(nullptr);
  text.SetText(u"关机倒计时");
  text.Font()->SetFamily("黑体");
  text.SetHorzTextAlign(vxTextAlignNear);
  text.SetWordWrap(false);
  TvxText textCopy(nullptr);
  RoundTrip(text, textCopy);
  EXPECT_EQ(textCopy.Text(), u"关机倒计时");
  EXPECT_EQ(textCopy.Font()->Family(), "黑体");
  EXPECT_EQ(textCopy.HorzTextAlign(), vxTextAlignNear);
  EXPECT_FALSE(textCopy.WordWrap());

  TvxPath path(nullptr);
  path.Data()->SetData("M 0,0 L 10,0 L 10,10 Z");
  path.SetWrapMode(vxPathTile);
  TvxPath pathCopy(nullptr);
  RoundTrip(path, pathCopy);
  EXPECT_EQ(pathCopy.Data()->Data(), "M 0,0 L 10,0 L 10,10 Z ");
  EXPECT_EQ(pathCopy.WrapMode(), vxPathTile);
}

TEST(ShapeStreaming, RectangleSidesAreStoredWhenAnyIsPresent) {
  TvxRectangle rectangle(nullptr);
  EXPECT_TRUE(Stores(rectangle, "Sides"));  // all four, the default, are written too
  EXPECT_FALSE(Stores(rectangle, "Corners"));
  rectangle.SetSides(1 << vxSideLeft);
  rectangle.SetCorners(1 << vxCornerTopLeft);
  TvxRectangle copy(nullptr);
  RoundTrip(rectangle, copy);
  EXPECT_EQ(copy.Sides(), 1u << vxSideLeft);
  EXPECT_EQ(copy.Corners(), 1u << vxCornerTopLeft);
  // No side at all is not written, so it reads back as the default.
  rectangle.SetSides(0);
  EXPECT_FALSE(Stores(rectangle, "Sides"));
  TvxRectangle fresh(nullptr);
  RoundTrip(rectangle, fresh);
  EXPECT_EQ(fresh.Sides(), AllSides);
}

TEST(ShapeStreaming, FormTextNamesTheRegisteredClasses) {
  std::vector<const TClassInfo*> classes;
  RegisterVisualClasses(classes);
  RegisterGraphicsClasses(classes);
  RegisterShapeClasses(classes);
  RegisterObjects(classes);
  const TFormObject form = ReadFormText(
      "object Layout1: TvxLayout\n"
      "  object ArcTime: TvxArc\n"
      "    Stroke.Color = '#FFE5E5E5'\n"
      "    StrokeCap = vxCapRound\n"
      "    StrokeThickness = 5.0\n"
      "  end\n"
      "  object Line1: TvxLine\n"
      "    LineType = vxLineHorizontal\n"
      "  end\n"
      "end\n");
  TvxLayout layout(nullptr);
  TObjectReader reader;
  reader.ReadInto(layout, form);
  EXPECT_TRUE(reader.Errors().empty()) << reader.Errors().front();
  ASSERT_EQ(layout.ChildrenCount(), 2);
  auto* arc = dynamic_cast<TvxArc*>(layout.Children(0));
  ASSERT_NE(arc, nullptr);
  EXPECT_EQ(arc->StrokeThickness(), 5);
  EXPECT_EQ(arc->StrokeCap(), vxCapRound);
  auto* line = dynamic_cast<TvxLine*>(layout.Children(1));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->LineType(), vxLineHorizontal);
  for (const char* name : {"TvxCircle", "TvxPie", "TvxSidesRectangle", "TvxBlurRoundRect",
                           "TvxCalloutRectangle", "TvxImage", "TvxPaintBox", "TvxScaledLayout"}) {
    const TClassInfo* info = FindClass(name);
    ASSERT_NE(info, nullptr) << name;
    EXPECT_FALSE(info->placeholder) << name;
  }
}

// Painting through the canvas.

TEST(ShapePaint, StrokeLiesInsideTheObject) {
  TvxRectangle rectangle(nullptr);
  rectangle.SetBounds(0, 0, 100, 40);
  rectangle.SetStrokeThickness(4);
  ExpectRect(Named(Paint(rectangle), "FillRect").at(0).rect, {2, 2, 98, 38});
  ExpectRect(Named(Paint(rectangle), "DrawRect").at(0).rect, {2, 2, 98, 38});
  rectangle.Stroke()->SetStyle(vxBrushNone);
  ExpectRect(Named(Paint(rectangle), "FillRect").at(0).rect, {0, 0, 100, 40});
}

TEST(ShapePaint, MissingSidesAreFilledToTheEdgeAndNotStroked) {
  TvxRectangle rectangle(nullptr);
  rectangle.SetBounds(0, 0, 100, 40);
  rectangle.SetStrokeThickness(4);
  rectangle.SetSides(AllSides & ~(1u << vxSideTop));
  const auto calls = Paint(rectangle);
  ExpectRect(Named(calls, "FillRect").at(0).rect, {2, 0, 98, 38});
  EXPECT_TRUE(Named(calls, "DrawRect").empty());
  const auto outline = Named(calls, "DrawPath").at(0).path;
  // The pen is lifted across the top and put down for the right side.
  const auto at = [&](TvxPathPointKind kind, TvxPoint p) {
    return std::find(outline.begin(), outline.end(), TvxPathPoint{kind, p}) != outline.end();
  };
  EXPECT_TRUE(at(vxPathPointMoveTo, {98, 2}));
  EXPECT_FALSE(at(vxPathPointLineTo, {98, 2}));
  EXPECT_TRUE(at(vxPathPointLineTo, {98, 38}));
  EXPECT_EQ(outline.back(), (TvxPathPoint{vxPathPointLineTo, {2, 2}}));
}

TEST(ShapePaint, LineTypesDrawTheDiagonalOrAnEdge) {
  TvxLine line(nullptr);
  line.SetBounds(0, 0, 160, 10);
  line.SetStrokeThickness(2);
  ExpectRect(Named(Paint(line), "DrawLine").at(0).rect, {1, 1, 159, 9});
  line.SetLineType(vxLineHorizontal);
  ExpectRect(Named(Paint(line), "DrawLine").at(0).rect, {1, 1, 159, 1});
  line.SetLineType(vxLineVertical);
  ExpectRect(Named(Paint(line), "DrawLine").at(0).rect, {1, 1, 1, 9});
}

TEST(ShapePaint, ArcSweepsByEndAngleItself) {
  TvxArc arc(nullptr);
  arc.SetBounds(0, 0, 100, 100);
  arc.SetStrokeThickness(10);
  arc.SetStartAngle(90);
  arc.SetEndAngle(90);
  const auto calls = Paint(arc);
  // The empty fill never reaches the backend.
  EXPECT_TRUE(Named(calls, "FillPath").empty());
  const auto stroke = Named(calls, "DrawPath").at(0).path;
  ASSERT_EQ(stroke.size(), 4u);                // one quarter: a start and one curve
  ExpectNear(stroke.front().Point, {50, 95});  // 6 o'clock
  ExpectNear(stroke.back().Point, {5, 50});    // 9 o'clock
}

TEST(ShapePaint, PieSweepsFromStartToEndAngle) {
  TvxPie pie(nullptr);
  pie.SetBounds(0, 0, 100, 100);
  pie.SetStrokeThickness(0);
  const auto slice = Named(Paint(pie), "FillPath").at(0).path;
  ASSERT_GE(slice.size(), 4u);
  EXPECT_EQ(slice.front(), (TvxPathPoint{vxPathPointMoveTo, {50, 50}}));
  ExpectNear(slice[1].Point, {100, 50});  // 3 o'clock
  // Counter-clockwise to 12 o'clock, then back to the centre.
  ExpectNear(slice[slice.size() - 3].Point, {50, 0});
  EXPECT_LT(slice[2].Point.Y, 50);
  EXPECT_EQ(slice.back().Kind, vxPathPointClose);
}

TEST(ShapePaint, CircleIsTheCentredSquare) {
  TvxCircle circle(nullptr);
  circle.SetBounds(0, 0, 100, 40);
  circle.Stroke()->SetStyle(vxBrushNone);
  ExpectRect(Named(Paint(circle), "FillEllipse").at(0).rect, {30, 0, 70, 40});
}

TEST(ShapePaint, OpacityIsTheAbsoluteOneAndThePenIsReset) {
  TvxLayout parent(nullptr);
  parent.SetOpacity(0.5f);
  auto* ellipse = new TvxEllipse(&parent);
  ellipse->SetParent(&parent);
  ellipse->SetOpacity(0.5f);
  ellipse->SetStrokeDash(vxDashDot);
  ellipse->SetStrokeThickness(3);
  RecordingCanvas canvas(100, 100);
  parent.PaintTo(canvas, parent.GetLocalRect());
  EXPECT_FLOAT_EQ(Named(canvas.calls, "FillEllipse").at(0).opacity, 0.25f);
  EXPECT_EQ(canvas.StrokeDash(), vxDashSolid);
  EXPECT_EQ(canvas.StrokeThickness(), 1);
}

// Callout.

TvxPoint Tip(const TvxCalloutRectangle& callout) {
  // The pointer's tip is the one point outside the body.
  const auto points = callout.Outline().Points();
  const auto tip = std::min_element(points.begin(), points.end(),
                                    [](auto& a, auto& b) { return a.Point.Y < b.Point.Y; });
  return tip->Point;
}

TEST(CalloutRectangle, PointerSitsOnItsSide) {
  TvxCalloutRectangle callout(nullptr);
  callout.SetBounds(0, 0, 100, 60);
  callout.Stroke()->SetStyle(vxBrushNone);
  Paint(callout);
  ExpectNear(Tip(callout), {50, 0});
  EXPECT_FLOAT_EQ(callout.Outline().GetBounds().Top, 0);
  const auto points = callout.Outline().Points();
  const auto has = [&](TvxPoint p) {
    return std::any_of(points.begin(), points.end(), [&](auto& e) { return e.Point == p; });
  };
  EXPECT_TRUE(has({38.5f, 11}));
  EXPECT_TRUE(has({61.5f, 11}));
  EXPECT_TRUE(has({0, 11}));  // the body's top-left corner

  callout.SetCalloutOffset(10);
  ExpectNear(Tip(callout), {21.5f, 0});
  callout.SetCalloutOffset(-10);
  ExpectNear(Tip(callout), {78.5f, 0});
  // A base that would run into a rounded corner is kept on the straight part.
  callout.SetXRadius(20);
  callout.SetYRadius(20);
  callout.SetCalloutOffset(2);
  ExpectNear(Tip(callout), {31.5f, 0});
}

TEST(CalloutRectangle, OtherSidesAndMissingSide) {
  TvxCalloutRectangle callout(nullptr);
  callout.SetBounds(0, 0, 100, 60);
  callout.Stroke()->SetStyle(vxBrushNone);
  callout.SetCalloutPosition(vxCalloutLeft);
  const TvxRect bounds = callout.Outline().GetBounds();
  EXPECT_FLOAT_EQ(bounds.Left, 0);
  const auto points = callout.Outline().Points();
  EXPECT_TRUE(std::any_of(points.begin(), points.end(), [](auto& e) {
    return e.Point == TvxPoint{0, 30};
  }));
  callout.SetSides(AllSides & ~(1u << vxSideLeft));
  EXPECT_FLOAT_EQ(callout.Outline().GetBounds().Left, 11);
}

// Text.

TEST(TextShape, DrawsOverTheWholeObjectOrStretchesItsOwnBox) {
  TvxText text(nullptr);
  text.SetBounds(0, 0, 80, 20);
  text.SetText(u"ABCD");
  ExpectRect(Named(Paint(text), "FillText").at(0).rect, {0, 0, 80, 20});

  text.SetAutoSize(true);
  text.SetStretch(true);
  EXPECT_FALSE(text.AutoSize());
  // The recording canvas measures 7 units per character.
  const float room = 11.0f / 3;
  ExpectRect(Named(Paint(text), "FillText").at(0).rect, {-room, -room, 28 + room, 1000 + room});
}

TEST(TextShape, AutoSizeFollowsTheMeasuredText) {
  RecordingCanvas canvas(100, 100);
  TFakeScene scene(&canvas);
  TvxText text(nullptr);
  scene.SetRoot(&text);
  text.Font()->SetFamily("Impact");
  text.SetWordWrap(false);
  text.SetText(u"ABCD");
  text.SetAutoSize(true);
  EXPECT_FLOAT_EQ(text.Width(), 11.0f / 2 + 28);
  EXPECT_FLOAT_EQ(text.Height(), 50);  // centred vertically: the height is kept
  text.Font()->SetSize(20);
  EXPECT_FLOAT_EQ(text.Width(), 10 + 28);
  text.SetVertTextAlign(vxTextAlignNear);
  text.SetText(u"ABCDE");
  EXPECT_FLOAT_EQ(text.Width(), 10 + 35);
  EXPECT_FLOAT_EQ(text.Height(), 1000);
  // The canvas keeps its own font.
  EXPECT_EQ(canvas.Font().Family(), DefaultFontFamily);
  EXPECT_EQ(canvas.Font().Size(), DefaultFontSize);
}

TEST(TextShape, DataValueIsTheText) {
  TvxText text(nullptr);
  text.SetData(std::string("倒计时"));
  EXPECT_EQ(text.Text(), u"倒计时");
  EXPECT_EQ(std::get<std::string>(text.GetData()), "倒计时");
}

// Image.

class ImageShape : public testing::Test {
 protected:
  ImageShape() {
    image.SetBounds(0, 0, 24, 10);
    image.OnBitmapLoaded = [this](TObject*) { ++loaded; };
    image.Bitmap()->SetSize(10, 10);
  }
  std::vector<TvxRect> Destinations() {
    std::vector<TvxRect> out;
    for (const auto& call : Named(Paint(image), "DrawBitmap")) out.push_back(call.rect);
    return out;
  }
  TvxImage image{nullptr};
  int loaded = 0;
};

TEST_F(ImageShape, WrapModes) {
  EXPECT_EQ(loaded, 1);
  ExpectRect(Destinations().at(0), {7, 0, 17, 10});
  image.SetWrapMode(vxImageStretch);
  ExpectRect(Destinations().at(0), {0, 0, 24, 10});
  image.SetWrapMode(vxImageOriginal);
  ExpectRect(Destinations().at(0), {0, 0, 10, 10});
  ExpectRect(Named(Paint(image), "IntersectClipRect").at(0).rect, {0, 0, 24, 10});
}

TEST_F(ImageShape, TilesCoverTheObjectTheLastOnesCut) {
  image.SetWrapMode(vxImageTile);
  const auto tiles = Destinations();
  // 2.4 bitmaps wide: columns 0, 1 and 2; one bitmap high: rows 0 and 1.
  ASSERT_EQ(tiles.size(), 6u);
  for (int column = 0; column < 3; ++column) {
    const float left = 10.0f * column;
    EXPECT_EQ(std::count(tiles.begin(), tiles.end(), TvxRect{left, 0, left + 10, 10}), 1);
  }
}

TEST_F(ImageShape, MarginsCutNineCells) {
  image.BitmapMargins()->SetRect({3, 2, 3, 2});
  const auto cells = Destinations();
  ASSERT_EQ(cells.size(), 9u);
  EXPECT_EQ(cells.front(), (TvxRect{0, 0, 3, 2}));
  EXPECT_EQ(cells[4], (TvxRect{3, 2, 21, 8}));
  EXPECT_EQ(cells.back(), (TvxRect{21, 8, 24, 10}));
}

TEST_F(ImageShape, NothingForAnEmptyBitmapAndDataGivesABitmap) {
  image.Bitmap()->SetSize(0, 0);
  EXPECT_TRUE(Destinations().empty());
  TvxBitmapObject resource(nullptr);
  resource.Bitmap()->SetSize(4, 3);
  const int before = loaded;
  image.SetData(ObjectToVariant(&resource));
  EXPECT_EQ(image.Bitmap()->Width(), 4);
  EXPECT_GT(loaded, before);
  image.SetData(std::string("/no/such/file.png"));
  EXPECT_EQ(image.Bitmap()->Width(), 4);
}

// Path.

class PathShape : public testing::Test {
 protected:
  PathShape() {
    path.SetBounds(0, 0, 35, 20);
    path.SetStrokeThickness(2);
    path.Data()->SetData("M 0,0 L 10,0 L 10,10 Z");
  }
  std::vector<TvxRect> Targets() {
    std::vector<TvxRect> out;
    for (const auto& call : Named(Paint(path), "FillPath")) out.push_back(call.rect);
    return out;
  }
  TvxPath path{nullptr};
};

TEST_F(PathShape, WrapModes) {
  ExpectRect(Targets().at(0), {1, 1, 34, 19});
  path.SetWrapMode(vxPathOriginal);
  ExpectRect(Targets().at(0), {1, 1, 11, 11});
  path.Data()->SetData("M 0,0 L 100,0 L 100,100 Z");
  path.SetWrapMode(vxPathFit);
  const TvxRect fitted = Targets().at(0);
  EXPECT_FLOAT_EQ(RectWidth(fitted), 18);
  EXPECT_FLOAT_EQ(RectHeight(fitted), 18);
  EXPECT_NEAR((fitted.Left + fitted.Right) / 2, 17.5, 0.5);
}

TEST_F(PathShape, TilesKeepTheInsetBetweenThem) {
  path.SetWrapMode(vxPathTile);
  const auto tiles = Targets();
  ASSERT_EQ(tiles.size(), 15u);  // columns 0..round(3.5), rows 0..round(2)
  ExpectRect(tiles[0], {1, 1, 11, 11});
  ExpectRect(tiles[3], {13, 1, 23, 11});  // the next column: width + twice the inset
  ExpectRect(tiles[1], {1, 13, 11, 23});
}

TEST_F(PathShape, EmptyPathDrawsNothing) {
  path.Data()->Clear();
  EXPECT_TRUE(Targets().empty());
}

// Paint box and layouts.

TEST(PaintBox, HandlerDrawsBeneathTheChildrenOnce) {
  TvxPaintBox box(nullptr);
  auto* child = new TvxEllipse(&box);
  child->SetParent(&box);
  std::vector<std::string> order;
  box.OnPaint = [&](TObject* sender, TvxCanvas* canvas) {
    EXPECT_EQ(sender, &box);
    static_cast<RecordingCanvas*>(canvas)->calls.push_back({"Handler", {}, 0, {}});
  };
  const auto calls = Paint(box);
  std::vector<std::string> names;
  for (const auto& call : calls)
    if (call.name == "Handler" || call.name == "FillEllipse") names.push_back(call.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Handler", "FillEllipse"}));
}

TEST(Layout, PressesGoThroughItToWhatItHolds) {
  TvxLayout layout(nullptr);
  layout.SetBounds(0, 0, 100, 100);
  auto* child = new TvxRectangle(&layout);
  child->SetParent(&layout);
  child->SetBounds(10, 10, 20, 20);
  EXPECT_EQ(layout.ObjectAtPoint({15, 15}), child);
  EXPECT_EQ(layout.ObjectAtPoint({60, 60}), nullptr);
}

TEST(ScaledLayout, ChildrenScaleWithTheLayout) {
  TvxScaledLayout layout(nullptr);
  layout.SetOriginalWidth(100);
  layout.SetOriginalHeight(100);
  layout.SetBounds(0, 0, 100, 100);
  auto* child = new TvxRectangle(&layout);
  child->SetParent(&layout);
  child->SetBounds(10, 10, 20, 20);
  child->SetAlign(vaClient);  // placed by its designer, not by the layout
  ExpectRect(child->GetAbsoluteRect(), {10, 10, 30, 30});
  layout.SetWidth(200);
  layout.SetHeight(50);
  ExpectRect(child->GetAbsoluteRect(), {20, 5, 60, 15});
}

}  // namespace
