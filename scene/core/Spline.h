#pragma once

#include <span>
#include <vector>

#include "scene/core/Geometry.h"

// One segment's cubic A*t^3 + B*t^2 + C*t + D in the global parameter t.
struct TvxSplineSegment {
  float A = 0;
  float B = 0;
  float C = 0;
  float D = 0;
};

using TvxSplineMatrix = std::vector<TvxSplineSegment>;

// A natural cubic spline through points, X and Y interpolated independently over t = 0 … n-1.
// Immutable once built.
class TvxSpline {
 public:
  // Fewer than two points give an empty spline that evaluates to (0, 0).
  explicit TvxSpline(std::span<const TvxPoint> points);

  // The spline at t; t outside 0 … n-1 extends the first or last segment.
  void SplineXY(float t, float& x, float& y) const;

 private:
  TvxSplineMatrix matX_;
  TvxSplineMatrix matY_;
};
