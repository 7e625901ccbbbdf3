#pragma once

#include <cmath>
#include <numbers>
#include <span>

// The engine's value types. Every stored coordinate, size and angle is a float32; intermediate
// arithmetic may run wider but results are rounded back. Nothing here allocates: these are
// called per object and per frame by layout, hit testing and painting.

struct TvxPoint {
  float X = 0;
  float Y = 0;

  friend constexpr bool operator==(const TvxPoint&, const TvxPoint&) = default;
};

// Not kept normalised: width is Right - Left and may be negative.
struct TvxRect {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;

  friend constexpr bool operator==(const TvxRect&, const TvxRect&) = default;
};

// A point used as a vector has W = 1; every operation producing a vector sets W = 1.
struct TvxVector {
  float X = 0;
  float Y = 0;
  float W = 1;

  friend constexpr bool operator==(const TvxVector&, const TvxVector&) = default;
};

// Row-vector convention: (x, y, 1) x M, translation in m31, m32.
struct TvxMatrix {
  float m11 = 0, m12 = 0, m13 = 0;
  float m21 = 0, m22 = 0, m23 = 0;
  float m31 = 0, m32 = 0, m33 = 0;

  friend constexpr bool operator==(const TvxMatrix&, const TvxMatrix&) = default;
};

inline constexpr TvxMatrix IdentityMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1};

inline constexpr float DegToRadFactor = static_cast<float>(std::numbers::pi / 180);
inline constexpr float RadToDegFactor = static_cast<float>(180 / std::numbers::pi);
// A denormal on purpose: only truly degenerate matrices fall back to the identity.
inline constexpr float SingularMatrixThreshold = 1e-40f;
// Start extremes of a bounding box; coordinates are expected within this range.
inline constexpr float BoundingBoxExtreme = 61440.0f;

// Nearest integer, ties to the even one (2.5 -> 2, 3.5 -> 4), independent of the FPU mode.
inline double RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double diff = x - lower;
  if (diff > 0.5) return lower + 1;
  if (diff < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

// Points and rectangles.

constexpr TvxPoint PointOf(float x, float y) {
  return {x, y};
}
constexpr TvxRect RectOf(float left, float top, float right, float bottom) {
  return {left, top, right, bottom};
}
constexpr float RectWidth(const TvxRect& r) {
  return r.Right - r.Left;
}
constexpr float RectHeight(const TvxRect& r) {
  return r.Bottom - r.Top;
}
constexpr bool IsRectEmpty(const TvxRect& r) {
  return !(RectWidth(r) > 0 && RectHeight(r) > 0);
}

constexpr TvxRect& OffsetRect(TvxRect& r, float dx, float dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
  return r;
}

constexpr TvxRect& InflateRect(TvxRect& r, float dx, float dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
  return r;
}

constexpr TvxRect& ScaleRect(TvxRect& r, float sx, float sy) {
  r.Left *= sx;
  r.Right *= sx;
  r.Top *= sy;
  r.Bottom *= sy;
  return r;
}

// No special case for empty rectangles: an empty one still widens the union.
constexpr TvxRect UnionRect(const TvxRect& r1, const TvxRect& r2) {
  return {r1.Left < r2.Left ? r1.Left : r2.Left, r1.Top < r2.Top ? r1.Top : r2.Top,
          r1.Right > r2.Right ? r1.Right : r2.Right, r1.Bottom > r2.Bottom ? r1.Bottom : r2.Bottom};
}

// Strict: rectangles sharing only an edge do not intersect. On false, r is all zero.
constexpr bool IntersectRect(TvxRect& r, const TvxRect& r1, const TvxRect& r2) {
  if (r2.Left < r1.Right && r2.Right > r1.Left && r2.Top < r1.Bottom && r2.Bottom > r1.Top) {
    r = {r1.Left > r2.Left ? r1.Left : r2.Left, r1.Top > r2.Top ? r1.Top : r2.Top,
         r1.Right < r2.Right ? r1.Right : r2.Right, r1.Bottom < r2.Bottom ? r1.Bottom : r2.Bottom};
    return true;
  }
  r = {};
  return false;
}

// Inclusive: rectangles that only touch overlap.
constexpr bool RectsOverlap(const TvxRect& r1, const TvxRect& r2) {
  return !(r1.Left > r2.Right || r1.Right < r2.Left || r1.Top > r2.Bottom || r1.Bottom < r2.Top);
}

constexpr bool PointInRect(const TvxPoint& p, const TvxRect& r) {
  return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}

// Bounding rectangle of the points; with no points the inverted start extremes remain.
TvxRect NormalizeRect(std::span<const TvxPoint> points);
// Bounding rectangle of the four corners, so Left <= Right and Top <= Bottom.
TvxRect NormalizeRect(const TvxRect& r);
// r moved so that it is centred in bound, on whole-unit offsets (ties to even).
TvxRect CenterRect(const TvxRect& r, const TvxRect& bound);
// Shrinks r proportionally into bound (never enlarges) and centres it; returns the ratio.
// A bound of zero area leaves r unchanged and returns 1.
float FitRect(TvxRect& r, const TvxRect& bound);

// Matrices.

constexpr TvxMatrix MatrixMultiply(const TvxMatrix& a, const TvxMatrix& b) {
  return {
      a.m11 * b.m11 + a.m12 * b.m21 + a.m13 * b.m31, a.m11 * b.m12 + a.m12 * b.m22 + a.m13 * b.m32,
      a.m11 * b.m13 + a.m12 * b.m23 + a.m13 * b.m33, a.m21 * b.m11 + a.m22 * b.m21 + a.m23 * b.m31,
      a.m21 * b.m12 + a.m22 * b.m22 + a.m23 * b.m32, a.m21 * b.m13 + a.m22 * b.m23 + a.m23 * b.m33,
      a.m31 * b.m11 + a.m32 * b.m21 + a.m33 * b.m31, a.m31 * b.m12 + a.m32 * b.m22 + a.m33 * b.m32,
      a.m31 * b.m13 + a.m32 * b.m23 + a.m33 * b.m33};
}

float MatrixDeterminant(const TvxMatrix& m);
// Replaces m by its adjugate (the transposed cofactor matrix).
void MatrixAdjoint(TvxMatrix& m);

constexpr void MatrixScale(TvxMatrix& m, float f) {
  m.m11 *= f, m.m12 *= f, m.m13 *= f;
  m.m21 *= f, m.m22 *= f, m.m23 *= f;
  m.m31 *= f, m.m32 *= f, m.m33 *= f;
}

// A singular matrix becomes the identity, so callers never divide by zero.
void InvertMatrix(TvxMatrix& m);
// Angle in radians; with y pointing down a positive angle turns clockwise.
TvxMatrix RotationMatrix(float angle);

// Vectors.

constexpr TvxVector VectorTransform(const TvxVector& v, const TvxMatrix& m) {
  return {v.X * m.m11 + v.Y * m.m21 + v.W * m.m31, v.X * m.m12 + v.Y * m.m22 + v.W * m.m32, 1};
}
constexpr TvxVector VectorSubtract(const TvxVector& p, const TvxVector& v) {
  return {p.X - v.X, p.Y - v.Y, 1};
}
inline float VectorLength(const TvxVector& v) {
  return static_cast<float>(std::sqrt(double(v.X) * v.X + double(v.Y) * v.Y));
}
constexpr float VectorDot(const TvxVector& a, const TvxVector& b) {
  return a.X * b.X + a.Y * b.Y;
}
constexpr float VectorCross(const TvxVector& a, const TvxVector& b) {
  return a.X * b.Y - a.Y * b.X;
}
// 0 when either vector has no length; kept within [-1, 1] against rounding.
float VectorAngleCos(const TvxVector& a, const TvxVector& b);
// Degrees: arcsin of the cosine, i.e. 90 minus the angle between them (0 when perpendicular),
// negated when the cross product is >= 0. Kept as the engine has always measured it.
float VectorAngle(const TvxVector& a, const TvxVector& b);

// Angles.

constexpr float DegToRad(float degrees) {
  return degrees * DegToRadFactor;
}
constexpr float RadToDeg(float radians) {
  return radians * RadToDegFactor;
}
// Reduces degrees to [-180, 360): 350 stays, -190 -> 170, -540 -> -180, 720 -> 0.
float NormalizeAngle(float degrees);
