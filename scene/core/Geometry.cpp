#include "scene/core/Geometry.h"

#include <algorithm>

TvxRect NormalizeRect(std::span<const TvxPoint> points) {
  TvxRect r{BoundingBoxExtreme, BoundingBoxExtreme, -BoundingBoxExtreme, -BoundingBoxExtreme};
  for (const TvxPoint& p : points) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X);
    r.Bottom = std::max(r.Bottom, p.Y);
  }
  return r;
}

TvxRect NormalizeRect(const TvxRect& r) {
  const TvxPoint corners[] = {
      {r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
  return NormalizeRect(corners);
}

TvxRect CenterRect(const TvxRect& r, const TvxRect& bound) {
  TvxRect result{0, 0, RectWidth(r), RectHeight(r)};
  const auto dx = static_cast<float>(RoundHalfEven((RectWidth(bound) - RectWidth(r)) / 2));
  const auto dy = static_cast<float>(RoundHalfEven((RectHeight(bound) - RectHeight(r)) / 2));
  OffsetRect(result, dx, dy);
  return OffsetRect(result, bound.Left, bound.Top);
}

float FitRect(TvxRect& r, const TvxRect& bound) {
  const float boundWidth = RectWidth(bound);
  const float boundHeight = RectHeight(bound);
  if (boundWidth * boundHeight == 0) return 1;
  const float width = RectWidth(r);
  const float height = RectHeight(r);
  const float ratio = std::max(width / boundWidth, height / boundHeight);
  if (ratio >= 1) {
    r = {0, 0, static_cast<float>(RoundHalfEven(width / ratio)),
         static_cast<float>(RoundHalfEven(height / ratio))};
  } else {
    r = {0, 0, width, height};
  }
  r = CenterRect(r, bound);
  return ratio;
}

float MatrixDeterminant(const TvxMatrix& m) {
  const double d = double(m.m11) * (double(m.m22) * m.m33 - double(m.m32) * m.m23) -
                   double(m.m12) * (double(m.m21) * m.m33 - double(m.m23) * m.m31) +
                   double(m.m13) * (double(m.m21) * m.m32 - double(m.m22) * m.m31);
  return static_cast<float>(d);
}

void MatrixAdjoint(TvxMatrix& m) {
  const TvxMatrix a = m;
  m.m11 = a.m22 * a.m33 - a.m23 * a.m32;
  m.m12 = a.m13 * a.m32 - a.m12 * a.m33;
  m.m13 = a.m12 * a.m23 - a.m13 * a.m22;
  m.m21 = a.m23 * a.m31 - a.m21 * a.m33;
  m.m22 = a.m11 * a.m33 - a.m13 * a.m31;
  m.m23 = a.m13 * a.m21 - a.m11 * a.m23;
  m.m31 = a.m21 * a.m32 - a.m22 * a.m31;
  m.m32 = a.m12 * a.m31 - a.m11 * a.m32;
  m.m33 = a.m11 * a.m22 - a.m12 * a.m21;
}

void InvertMatrix(TvxMatrix& m) {
  const float d = MatrixDeterminant(m);
  if (std::fabs(d) < SingularMatrixThreshold) {
    m = IdentityMatrix;
    return;
  }
  MatrixAdjoint(m);
  MatrixScale(m, 1 / d);
}

TvxMatrix RotationMatrix(float angle) {
  const auto c = static_cast<float>(std::cos(double(angle)));
  const auto s = static_cast<float>(std::sin(double(angle)));
  return {c, s, 0, -s, c, 0, 0, 0, 1};
}

float VectorAngleCos(const TvxVector& a, const TvxVector& b) {
  const float lengthA = VectorLength(a);
  const float lengthB = VectorLength(b);
  if (lengthA == 0 || lengthB == 0) return 0;
  const float c = VectorDot(a, b) / (lengthA * lengthB);
  // Rounding can push parallel vectors just past +-1, where arcsin has no value.
  return std::clamp(c, -1.0f, 1.0f);
}

float VectorAngle(const TvxVector& a, const TvxVector& b) {
  const float angle = RadToDeg(static_cast<float>(std::asin(double(VectorAngleCos(a, b)))));
  return VectorCross(a, b) >= 0 ? -angle : angle;
}

float NormalizeAngle(float degrees) {
  double r = degrees - std::trunc(degrees / 360.0) * 360.0;
  if (r < -180) r += 360;
  return static_cast<float>(r);
}
