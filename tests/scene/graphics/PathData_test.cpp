#include "scene/graphics/PathData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/component/FormData.h"

namespace {

using Entries = std::vector<TvxPathPoint>;

Entries EntriesOf(const TvxPathData& path) {
  const auto points = path.Points();
  return {points.begin(), points.end()};
}

TvxPathPoint E(TvxPathPointKind kind, float x, float y) {
  return {kind, {x, y}};
}

constexpr auto M = vxPathPointMoveTo;
constexpr auto L = vxPathPointLineTo;
constexpr auto C = vxPathPointCurveTo;
constexpr auto Z = vxPathPointClose;

void ExpectNear(const TvxPoint& actual, float x, float y, float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.X, x, tolerance);
  EXPECT_NEAR(actual.Y, y, tolerance);
}

// Stores and reads the "Path" property the way form streaming does.
class PathFiler : public TFiler {
 public:
  explicit PathFiler(const TFormValue* input = nullptr) : input_(input) {}
  void DefineProperty(const char* name, const Reader& read, const Writer& write,
                      bool hasData) override {
    if (std::string(name) != "Path") return;
    if (input_) return read(*input_);
    if (hasData) written = write();
  }
  std::optional<TFormValue> written;

 private:
  const TFormValue* input_;
};

TFormValue PathBytes(int32_t count, const std::vector<std::vector<uint8_t>>& entries) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &count, 4);
  for (const auto& entry : entries) bytes.append(entry.begin(), entry.end());
  return TFormValue::Bytes(bytes);
}

std::vector<uint8_t> Entry(uint32_t kind, float x, float y, bool packed) {
  std::vector<uint8_t> out(packed ? 9 : 12);
  if (packed) {
    out[0] = uint8_t(kind);
  } else {
    std::memcpy(out.data(), &kind, 4);
  }
  std::memcpy(out.data() + out.size() - 8, &x, 4);
  std::memcpy(out.data() + out.size() - 4, &y, 4);
  return out;
}

TEST(PathText, ReadsBackWhatItWrites) {
  TvxPathData path;
  int changes = 0;
  path.OnChange = [&](TObject*) { ++changes; };
  path.SetData("M 0,0 L 10,0 L 10,10 Z");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 10, 0), E(L, 10, 10), E(Z, 0, 0)}));
  EXPECT_EQ(path.Data(), "M 0,0 L 10,0 L 10,10 Z ");

  path.SetData("M1.5,2 C 1,2 3,4 5.25,6 Z");
  EXPECT_EQ(path.Data(), "M 1.500,2 C 1,2 3,4 5.250,6 Z ");
  TvxPathData copy;
  copy.SetData(path.Data());
  EXPECT_EQ(EntriesOf(copy), EntriesOf(path));

  path.SetData("");
  EXPECT_TRUE(path.IsEmpty());
  EXPECT_EQ(path.Data(), "");
}

TEST(PathText, RepeatsOnlyWhenTheNextNumberFollowsDirectly) {
  TvxPathData path;
  path.SetData("M0,0L10,10-20,20");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 10, 10), E(L, -20, 20)}));
  // A blank ends the command, and the pair that follows stops parsing.
  path.SetData("M0,0 L10,10 20,20 L5,5");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 10, 10)}));
  // Further points after M are lines; relative forms add to the current point.
  path.SetData("m1,1-2,2-3,3 l1,1");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 1, 1), E(L, -1, 3), E(L, -4, 6), E(L, -3, 7)}));
}

TEST(PathText, HandlesEveryCommand) {
  TvxPathData path;
  path.SetData("M10,10 H20 V30 h5 v-5 c1,1 2,2 3,3 S 4,4 5,5 s1,1 2,2 z");
  EXPECT_EQ(EntriesOf(path),
            (Entries{E(M, 10, 10), E(L, 20, 10), E(L, 20, 30), E(L, 25, 30), E(L, 25, 25),
                     E(C, 26, 26), E(C, 27, 27), E(C, 28, 28),
                     // S mirrors the previous control point (27,27) about (28,28).
                     E(C, 29, 29), E(C, 4, 4), E(C, 5, 5),
                     // s: reflection of (4,4) about (5,5), then points relative to (5,5).
                     E(C, 6, 6), E(C, 6, 6), E(C, 7, 7), E(Z, 10, 10)}));

  // Quadratic commands are read and ignored; several letters in a row run in order.
  path.SetData("M0,0 Q1,1 2,2 T3,3 L4,4 ZM5,5");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 4, 4), E(Z, 0, 0), E(M, 5, 5)}));

  path.SetData("M0,0\tL1,\r\n2");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 1, 2)}));

  path.SetData("M0,0 L1e1,-2e-1");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 10, -0.2f)}));
}

TEST(PathText, BadNumbersAbandonOnlyTheirCommand) {
  TvxPathData path;
  path.SetData("M0,0 L1,x L2,2");  // "x" is neither a number nor a command: parsing stops
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0)}));
  path.SetData("M0,0 L1.2.3 L5,5");  // the bad number is skipped with its command
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 5, 5)}));
  path.SetData("M0,0 LZ");  // L finds no number; Z still closes
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(Z, 0, 0)}));
  path.SetData("M 1,2 L");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 1, 2)}));
  path.SetData("L9e99,1 -");
  EXPECT_TRUE(path.IsEmpty());
  // Coordinates stay finite: relative moves saturate instead of overflowing.
  path.SetData("m3e38,0 l3e38,0");
  EXPECT_EQ(path.LastPoint().X, std::numeric_limits<float>::max());
  TvxPathData again;
  again.SetData(path.Data());
  EXPECT_EQ(EntriesOf(again), EntriesOf(path));
}

TEST(PathArc, SplitsIntoQuarters) {
  TvxPathData path;
  path.AddArc({0, 0}, {10, 10}, 0, 360);
  auto entries = EntriesOf(path);
  ASSERT_EQ(entries.size(), 13u);
  EXPECT_EQ(entries[0].Kind, M);
  ExpectNear(entries[0].Point, 10, 0);
  ExpectNear(entries[3].Point, 0, 10);  // a quarter later: clockwise on screen
  ExpectNear(entries[12].Point, 10, 0);

  path.Clear();
  path.AddArc({0, 0}, {10, 10}, 0, 0);
  EXPECT_TRUE(path.IsEmpty());

  path.AddArc({0, 0}, {10, 10}, 0, 90.5f);
  EXPECT_EQ(path.Count(), 4);

  path.Clear();
  path.MoveTo({-50, 0});
  path.AddArc({0, 0}, {20, 10}, 450, 100);  // 450 degrees start at 90
  entries = EntriesOf(path);
  ASSERT_EQ(entries.size(), 8u);
  EXPECT_EQ(entries[1].Kind, L);
  ExpectNear(entries[1].Point, 0, 10);
  ExpectNear(entries[4].Point, -20, 0);  // the 90 degree piece, then 10 more
  ExpectNear(entries[7].Point, -19.696f, -1.736f);
}

TEST(PathArc, SvgArcFindsItsCentre) {
  TvxPathData path;
  path.SetData("M0,0 A10,10 0 0,1 20,0");
  auto entries = EntriesOf(path);
  ASSERT_EQ(entries.size(), 7u);
  ExpectNear(entries[3].Point, 10, -10);  // the top of the half circle
  ExpectNear(entries[6].Point, 20, 0);

  // The other sweep passes below; relative end points add to the current point.
  path.SetData("M0,0 a10,10 0 0,0 20,0");
  entries = EntriesOf(path);
  ASSERT_EQ(entries.size(), 7u);
  ExpectNear(entries[3].Point, 10, 10);
  ExpectNear(entries[6].Point, 20, 0);

  // Too small a radius grows until the ends fit; a zero radius draws a line.
  path.SetData("M0,0 A1,1 0 0,1 20,0");
  ExpectNear(EntriesOf(path).back().Point, 20, 0);
  ExpectNear(EntriesOf(path)[3].Point, 10, -10);
  path.SetData("M0,0 A0,5 0 0,1 20,0");
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 20, 0)}));
  path.SetData("M0,0 A1e30,10 0 0,1 0,1e30");  // no float ellipse fits these ends
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, 0), E(L, 0, 1e30f)}));
  path.SetData("M3,3 A5,5 0 0,1 3,3");
  EXPECT_EQ(path.Count(), 1);
}

TEST(PathQueries, BoundsScaleAndLastPoint) {
  TvxPathData path;
  EXPECT_EQ(path.GetBounds(), (TvxRect{0, 0, 0, 0}));
  EXPECT_EQ(path.LastPoint(), (TvxPoint{0, 0}));
  path.MoveTo({0, 5});
  path.LineTo({10, 5});
  EXPECT_EQ(path.GetBounds(), (TvxRect{0, 5, 10, 5.001f}));
  path.AddEntry(Z, {-100, -100});  // Close entries do not count
  path.LineTo({4, -2});
  EXPECT_EQ(path.GetBounds(), (TvxRect{0, -2, 10, 5}));
  path.ScalePoints(2, -1);
  EXPECT_EQ(EntriesOf(path), (Entries{E(M, 0, -5), E(L, 20, -5), E(Z, -100, -100), E(L, 8, 2)}));
  EXPECT_EQ(path.LastPoint(), (TvxPoint{8, 2}));
}

TEST(PathQueries, FlattensCurvesAndMarksClosedFigures) {
  TvxPathData path;
  path.SetData("M0,0 L100,0 L100,100 Z M0,0 C0,50 50,100 100,100");
  std::vector<TvxPoint> points;
  TvxPoint size;
  path.FlattenToPolygon(points, size, 1);
  EXPECT_EQ(size, (TvxPoint{100, 100}));
  ASSERT_GE(points.size(), 8u);
  EXPECT_EQ(
      std::vector<TvxPoint>(points.begin(), points.begin() + 6),
      (std::vector<TvxPoint>{{0, 0}, {100, 0}, {100, 100}, {0, 0}, PolygonCloseMarker, {0, 0}}));
  // |end - first control| = 111.8 over steps of 1: 112 points from t = 0 to 1.
  EXPECT_EQ(points.size(), 6u + 112u);
  ExpectNear(points[6], 0, 0);
  ExpectNear(points.back(), 100, 100, 0.01f);

  path.Clear();
  path.FlattenToPolygon(points, size, 1);
  EXPECT_TRUE(points.empty());
  EXPECT_EQ(size, (TvxPoint{0, 0}));

  // Absurd coordinates stay bounded.
  path.MoveTo({0, 0});
  path.CurveTo({0, 0}, {3e37f, 0}, {3e37f, 0.5f});
  path.FlattenToPolygon(points, size, 0.25f);
  EXPECT_LE(points.size(), 5000u);
}

TEST(PathBinary, RoundTripsTwelveByteEntries) {
  TvxPathData path;
  PathFiler empty;
  path.DefineProperties(empty);
  EXPECT_FALSE(empty.written);

  path.SetData("M 1,2 L 3.5,4 Z");
  PathFiler out;
  path.DefineProperties(out);
  ASSERT_TRUE(out.written);
  EXPECT_EQ(out.written->type, TValueType::Binary);
  EXPECT_EQ(out.written->text.size(), 4u + 3 * 12);
  EXPECT_EQ(
      out.written->text,
      PathBytes(3, {Entry(M, 1, 2, false), Entry(L, 3.5f, 4, false), Entry(Z, 1, 2, false)}).text);
  TvxPathData copy;
  int changes = 0;
  copy.OnChange = [&](TObject*) { ++changes; };
  PathFiler in(&*out.written);
  copy.DefineProperties(in);
  EXPECT_EQ(EntriesOf(copy), EntriesOf(path));
  EXPECT_EQ(changes, 1);
}

TEST(PathBinary, ReadsPackedAndDamagedData) {
  const auto read = [](const TFormValue& value) {
    TvxPathData path;
    path.SetData("M 7,7");
    PathFiler in(&value);
    path.DefineProperties(in);
    return EntriesOf(path);
  };
  // The older form packs the kind into one byte.
  EXPECT_EQ(read(PathBytes(2, {Entry(M, 1, 2, true), Entry(C, 3, 4, true)})),
            (Entries{E(M, 1, 2), E(C, 3, 4)}));
  // Truncated data keeps the complete entries.
  auto value = PathBytes(3, {Entry(M, 1, 2, false), Entry(L, 3, 4, false)});
  value.text.append(2, '\0');
  EXPECT_EQ(read(value), (Entries{E(M, 1, 2), E(L, 3, 4)}));
  // Unknown kinds and non-finite coordinates are skipped.
  EXPECT_EQ(
      read(PathBytes(3, {Entry(9, 1, 1, false), Entry(L, NAN, 0, false), Entry(L, 5, 6, false)})),
      (Entries{E(L, 5, 6)}));
  EXPECT_TRUE(read(PathBytes(-4, {Entry(M, 1, 2, false)})).empty());
  EXPECT_TRUE(read(TFormValue::Bytes("ab")).empty());
  EXPECT_TRUE(read(PathBytes(1000000, {Entry(M, 1, 2, false)})).size() == 1);
  // A value of another type leaves the path alone.
  EXPECT_EQ(read(TFormValue::String("M 1,1")), (Entries{E(M, 7, 7)}));
}

TEST(PathResource, ReadsThroughTheNamedResourceUntilItIsFreed) {
  auto* resource = new TvxPathObject(nullptr);
  resource->SetResourceName("Cross");
  resource->Path()->SetData("M0,0 L5,5");
  TvxPathData path;
  path.SetData("M9,9");
  path.SetResourceName("cross");
  EXPECT_EQ(path.Resource(), resource);
  EXPECT_EQ(path.Data(), "M 0,0 L 5,5 ");
  EXPECT_EQ(path.GetBounds(), (TvxRect{0, 0, 5, 5}));

  // Assign binds to the same resource instead of copying.
  TvxPathData bound;
  bound.Assign(path);
  EXPECT_EQ(bound.Resource(), resource);
  EXPECT_EQ(bound.ResourceName(), "cross");

  delete resource;
  EXPECT_EQ(path.Resource(), nullptr);
  EXPECT_EQ(bound.Resource(), nullptr);
  EXPECT_EQ(path.Data(), "M 9,9 ");

  TvxPathData copy;
  copy.Assign(path);
  EXPECT_EQ(copy.Data(), "M 9,9 ");

  // Setting the resource takes its name; another name unbinds.
  TvxPathObject other(nullptr);
  other.SetResourceName("Tick");
  copy.SetResource(&other);
  EXPECT_EQ(copy.ResourceName(), "Tick");
  copy.SetResourceName("Nothing");
  EXPECT_EQ(copy.Resource(), nullptr);
}

}  // namespace
