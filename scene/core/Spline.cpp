#include "scene/core/Spline.h"

#include <cmath>

namespace {

// Slopes of the natural spline: the tridiagonal system with diagonal 2, 4, …, 4, 2 and
// off-diagonals 1, solved by its Cholesky factors.
std::vector<float> Slopes(const std::vector<float>& y) {
  const size_t n = y.size();
  std::vector<float> r(n), s(n), e(n), z(n), slopes(n);
  r[0] = 3 * (y[1] - y[0]);
  r[n - 1] = 3 * (y[n - 1] - y[n - 2]);
  for (size_t i = 1; i + 1 < n; ++i) r[i] = 3 * (y[i + 1] - y[i - 1]);

  s[0] = static_cast<float>(std::sqrt(2.0));
  e[0] = 1 / s[0];
  for (size_t i = 1; i + 1 < n; ++i) {
    s[i] = static_cast<float>(std::sqrt(4 - double(e[i - 1]) * e[i - 1]));
    e[i] = 1 / s[i];
  }
  s[n - 1] = static_cast<float>(std::sqrt(2 - double(e[n - 2]) * e[n - 2]));

  z[0] = r[0] / s[0];
  for (size_t i = 1; i < n; ++i) z[i] = (r[i] - z[i - 1] * e[i - 1]) / s[i];
  slopes[n - 1] = z[n - 1] / s[n - 1];
  for (size_t i = n - 1; i-- > 0;) slopes[i] = (z[i] - slopes[i + 1] * e[i]) / s[i];
  return slopes;
}

// Each segment's local cubic in u = t - i, re-expanded in the global t.
TvxSplineMatrix Coefficients(const std::vector<float>& y) {
  const std::vector<float> slope = Slopes(y);
  TvxSplineMatrix segments(y.size() - 1);
  for (size_t i = 0; i < segments.size(); ++i) {
    const double a = y[i];
    const double b = slope[i];
    const double c = 3.0 * (y[i + 1] - double(y[i])) - 2.0 * slope[i] - slope[i + 1];
    const double d = 2.0 * (double(y[i]) - y[i + 1]) + slope[i] + slope[i + 1];
    const auto at = double(i);
    segments[i] = {static_cast<float>(d), static_cast<float>(c - 3 * at * d),
                   static_cast<float>((3 * at * d - 2 * c) * at + b),
                   static_cast<float>(((c - at * d) * at - b) * at + a)};
  }
  return segments;
}

float Evaluate(const TvxSplineMatrix& segments, size_t index, float t) {
  if (segments.empty()) return 0;
  const TvxSplineSegment& m = segments[index];
  return ((m.A * t + m.B) * t + m.C) * t + m.D;
}

}  // namespace

TvxSpline::TvxSpline(std::span<const TvxPoint> points) {
  if (points.size() < 2) return;
  std::vector<float> xs, ys;
  xs.reserve(points.size());
  ys.reserve(points.size());
  for (const TvxPoint& p : points) {
    xs.push_back(p.X);
    ys.push_back(p.Y);
  }
  matX_ = Coefficients(xs);
  matY_ = Coefficients(ys);
}

void TvxSpline::SplineXY(float t, float& x, float& y) const {
  // Points are one more than segments; the last point belongs to the last segment.
  const size_t segments = matX_.size();
  size_t index = 0;
  if (t > 0 && t <= float(segments)) {
    index = static_cast<size_t>(t);
  } else if (t > float(segments)) {
    index = segments;
  }
  if (index >= segments && segments > 0) index = segments - 1;
  x = Evaluate(matX_, index, t);
  y = Evaluate(matY_, index, t);
}
