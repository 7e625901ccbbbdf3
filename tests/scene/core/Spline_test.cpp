#include "scene/core/Spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TvxPoint At(const TvxSpline& spline, float t) {
  TvxPoint p;
  spline.SplineXY(t, p.X, p.Y);
  return p;
}

TEST(Spline, PassesThroughItsPoints) {
  const std::vector<TvxPoint> points = {{0, 0}, {10, 5}, {12, -3}, {30, 8}, {31, 40}, {-5, 2}};
  const TvxSpline spline(points);
  for (size_t i = 0; i < points.size(); ++i) {
    const TvxPoint p = At(spline, float(i));
    EXPECT_NEAR(p.X, points[i].X, 1e-3) << i;
    EXPECT_NEAR(p.Y, points[i].Y, 1e-3) << i;
  }
}

TEST(Spline, IsSmoothAtInnerPoints) {
  const std::vector<TvxPoint> points = {{0, 0}, {10, 5}, {12, -3}, {30, 8}};
  const TvxSpline spline(points);
  for (float t : {1.0f, 2.0f}) {
    const float h = 1e-2f;
    const TvxPoint before = At(spline, t - h), at = At(spline, t), after = At(spline, t + h);
    // Equal one-sided slopes within the curvature's contribution.
    EXPECT_NEAR(at.X - before.X, after.X - at.X, 0.02) << t;
    EXPECT_NEAR(at.Y - before.Y, after.Y - at.Y, 0.02) << t;
  }
}

TEST(Spline, NaturalSplineOfAPeak) {
  // y = 0, 1, 0 has slopes 1.5, 0, -1.5: the first segment is 1.5u - 0.5u^3.
  const std::vector<TvxPoint> points = {{0, 0}, {1, 1}, {2, 0}};
  const TvxSpline spline(points);
  EXPECT_NEAR(At(spline, 0.5f).Y, 0.6875f, 1e-5);
  EXPECT_NEAR(At(spline, 1.5f).Y, 0.6875f, 1e-5);
  EXPECT_NEAR(At(spline, 1.5f).X, 1.5f, 1e-5);  // evenly spaced X stays linear
}

TEST(Spline, EndsExtendTheOuterSegments) {
  const std::vector<TvxPoint> points = {{0, 0}, {2, 1}, {4, 2}};
  const TvxSpline spline(points);
  EXPECT_NEAR(At(spline, -1).X, -2, 1e-5);
  EXPECT_NEAR(At(spline, 3).X, 6, 1e-5);
  EXPECT_NEAR(At(spline, 3).Y, 3, 1e-5);
  EXPECT_TRUE(std::isnan(At(spline, NAN).X));  // and no segment out of range
}

TEST(Spline, TwoPointsGiveALine) {
  const std::vector<TvxPoint> points = {{1, 2}, {5, -6}};
  const TvxSpline spline(points);
  const TvxPoint mid = At(spline, 0.5f);
  EXPECT_NEAR(mid.X, 3, 1e-5);
  EXPECT_NEAR(mid.Y, -2, 1e-5);
}

TEST(Spline, FewerThanTwoPointsEvaluateToZero) {
  const std::vector<TvxPoint> one = {{7, 8}};
  for (const TvxSpline& spline : {TvxSpline(one), TvxSpline(std::span<const TvxPoint>())}) {
    EXPECT_EQ(At(spline, 0), TvxPoint{});
    EXPECT_EQ(At(spline, 2), TvxPoint{});
  }
}

}  // namespace
