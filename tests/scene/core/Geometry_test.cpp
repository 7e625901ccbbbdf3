#include "scene/core/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

void ExpectMatrixNear(const TvxMatrix& a, const TvxMatrix& b, float tolerance = 1e-5f) {
  const float left[] = {a.m11, a.m12, a.m13, a.m21, a.m22, a.m23, a.m31, a.m32, a.m33};
  const float right[] = {b.m11, b.m12, b.m13, b.m21, b.m22, b.m23, b.m31, b.m32, b.m33};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(left[i], right[i], tolerance) << "element " << i;
}

TvxVector Transform(float x, float y, const TvxMatrix& m) {
  return VectorTransform({x, y, 1}, m);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(1.4999), 1);
  EXPECT_EQ(RoundHalfEven(-1.6), -2);
}

TEST(Rect, EmptinessNeedsPositiveWidthAndHeight) {
  EXPECT_FALSE(IsRectEmpty(RectOf(0, 0, 1, 1)));
  EXPECT_TRUE(IsRectEmpty(RectOf(0, 0, 0, 5)));
  EXPECT_TRUE(IsRectEmpty(RectOf(5, 0, 0, 5)));  // not normalised: negative width
  EXPECT_TRUE(IsRectEmpty(RectOf(0, 0, 5, NAN)));
}

TEST(Rect, OffsetInflateAndScaleWorkInPlace) {
  TvxRect r = RectOf(1, 2, 3, 4);
  EXPECT_EQ(OffsetRect(r, 10, 20), RectOf(11, 22, 13, 24));
  EXPECT_EQ(InflateRect(r, 1, 2), RectOf(10, 20, 14, 26));
  EXPECT_EQ(ScaleRect(r, 2, 0.5f), RectOf(20, 10, 28, 13));
  EXPECT_EQ(r, RectOf(20, 10, 28, 13));
}

TEST(Rect, SharedEdgeOverlapsButDoesNotIntersect) {
  const TvxRect a = RectOf(0, 0, 10, 10);
  const TvxRect b = RectOf(10, 0, 20, 10);
  TvxRect out = RectOf(1, 1, 1, 1);
  EXPECT_FALSE(IntersectRect(out, a, b));
  EXPECT_EQ(out, TvxRect{});
  EXPECT_TRUE(RectsOverlap(a, b));
  EXPECT_FALSE(RectsOverlap(a, RectOf(10.5f, 0, 20, 10)));
}

TEST(Rect, IntersectionIsTheCommonArea) {
  TvxRect a = RectOf(0, 0, 10, 10);
  EXPECT_TRUE(IntersectRect(a, a, RectOf(5, -5, 15, 5)));  // output may alias an input
  EXPECT_EQ(a, RectOf(5, 0, 10, 5));
}

TEST(Rect, UnionIgnoresEmptinessAndPointInRectIncludesEdges) {
  EXPECT_EQ(UnionRect(RectOf(0, 0, 1, 1), RectOf(5, 5, 5, 5)), RectOf(0, 0, 5, 5));
  const TvxRect r = RectOf(0, 0, 10, 10);
  EXPECT_TRUE(PointInRect(PointOf(10, 10), r));
  EXPECT_TRUE(PointInRect(PointOf(0, 0), r));
  EXPECT_FALSE(PointInRect(PointOf(10.001f, 5), r));
}

TEST(Rect, NormalizeGivesTheBoundingBox) {
  EXPECT_EQ(NormalizeRect(RectOf(10, 20, 0, 5)), RectOf(0, 5, 10, 20));
  const TvxPoint points[] = {{3, -1}, {-2, 4}, {1, 1}};
  EXPECT_EQ(NormalizeRect(points), RectOf(-2, -1, 3, 4));
  EXPECT_EQ(NormalizeRect(std::span<const TvxPoint>()), RectOf(61440, 61440, -61440, -61440));
}

TEST(Rect, CenterRectRoundsHalvesToEven) {
  // 3 wide in 6: (6 - 3) / 2 = 1.5 rounds to 2; 5 high in 10: 2.5 rounds to 2.
  EXPECT_EQ(CenterRect(RectOf(50, 50, 53, 55), RectOf(10, 20, 16, 30)), RectOf(12, 22, 15, 27));
  // 1 high in 8: 3.5 rounds to 4.
  EXPECT_EQ(CenterRect(RectOf(0, 0, 2, 1), RectOf(0, 0, 2, 8)), RectOf(0, 4, 2, 5));
}

TEST(Rect, FitRectShrinksButNeverEnlarges) {
  TvxRect wide = RectOf(7, 7, 207, 107);
  EXPECT_FLOAT_EQ(FitRect(wide, RectOf(0, 0, 100, 100)), 2);
  EXPECT_EQ(wide, RectOf(0, 25, 100, 75));

  TvxRect small = RectOf(0, 0, 10, 10);
  EXPECT_FLOAT_EQ(FitRect(small, RectOf(100, 100, 200, 200)), 0.1f);
  EXPECT_EQ(small, RectOf(145, 145, 155, 155));

  TvxRect unchanged = RectOf(1, 2, 3, 4);
  EXPECT_EQ(FitRect(unchanged, RectOf(0, 0, 0, 100)), 1);
  EXPECT_EQ(unchanged, RectOf(1, 2, 3, 4));
}

TEST(Matrix, MultiplyComposesLeftThenRight) {
  TvxMatrix scale = IdentityMatrix;
  scale.m11 = 2;
  scale.m22 = 3;
  TvxMatrix move = IdentityMatrix;
  move.m31 = 10;
  move.m32 = 20;
  EXPECT_EQ(Transform(1, 1, MatrixMultiply(scale, move)), (TvxVector{12, 23, 1}));
  EXPECT_EQ(Transform(1, 1, MatrixMultiply(move, scale)), (TvxVector{22, 63, 1}));
  EXPECT_EQ(MatrixMultiply(IdentityMatrix, scale), scale);
}

TEST(Matrix, PositiveRotationTurnsClockwiseOnScreen) {
  const TvxVector v = Transform(1, 0, RotationMatrix(DegToRad(90)));
  EXPECT_NEAR(v.X, 0, 1e-6);
  EXPECT_NEAR(v.Y, 1, 1e-6);
}

TEST(Matrix, AdjointTimesMatrixIsDeterminantTimesIdentity) {
  const TvxMatrix m{2, 1, 0, -1, 3, 0, 5, 7, 1};
  const float d = MatrixDeterminant(m);
  EXPECT_FLOAT_EQ(d, 7);
  TvxMatrix adjoint = m;
  MatrixAdjoint(adjoint);
  TvxMatrix expected = IdentityMatrix;
  MatrixScale(expected, d);
  ExpectMatrixNear(MatrixMultiply(m, adjoint), expected);
}

TEST(Matrix, InverseUndoesTheTransform) {
  TvxMatrix m = MatrixMultiply(RotationMatrix(0.7f), TvxMatrix{2, 0, 0, 0, 0.5f, 0, 30, -4, 1});
  TvxMatrix inverse = m;
  InvertMatrix(inverse);
  ExpectMatrixNear(MatrixMultiply(m, inverse), IdentityMatrix);
  const TvxVector back = VectorTransform(Transform(3, 4, m), inverse);
  EXPECT_NEAR(back.X, 3, 1e-4);
  EXPECT_NEAR(back.Y, 4, 1e-4);
}

TEST(Matrix, SingularMatrixInvertsToIdentity) {
  TvxMatrix flat{1, 2, 0, 2, 4, 0, 5, 5, 1};  // rows 1 and 2 are dependent
  InvertMatrix(flat);
  EXPECT_EQ(flat, IdentityMatrix);
  TvxMatrix zero{};
  InvertMatrix(zero);
  EXPECT_EQ(zero, IdentityMatrix);
}

TEST(Vector, BasicOperationsSetWToOne) {
  EXPECT_EQ(VectorSubtract({5, 7, 3}, {1, 2, 9}), (TvxVector{4, 5, 1}));
  EXPECT_FLOAT_EQ(VectorLength({3, 4, 7}), 5);
  EXPECT_FLOAT_EQ(VectorDot({1, 2, 1}, {3, 4, 1}), 11);
  EXPECT_FLOAT_EQ(VectorCross({1, 0, 1}, {0, 1, 1}), 1);
}

TEST(Vector, AngleCosineHandlesZeroLengthAndRounding) {
  EXPECT_EQ(VectorAngleCos({0, 0, 1}, {1, 1, 1}), 0);
  // In float, the cosine of these parallel vectors comes out as 1.00000012; arcsin of that
  // has no value.
  const TvxVector v{1.11f, 1.33f, 1};
  for (float k : {1.0f, 2.0f, -1.0f, -2.0f}) {
    const TvxVector w{v.X * k, v.Y * k, 1};
    EXPECT_EQ(std::fabs(VectorAngleCos(v, w)), 1.0f) << k;
    EXPECT_FLOAT_EQ(std::fabs(VectorAngle(v, w)), 90) << k;
  }
}

TEST(Vector, AngleIsTheArcsineOfTheCosineSignedByTheCrossProduct) {
  EXPECT_FLOAT_EQ(VectorAngle({1, 0, 1}, {1, 0, 1}), -90);
  EXPECT_FLOAT_EQ(VectorAngle({1, 0, 1}, {-1, 0, 1}), 90);
  EXPECT_NEAR(VectorAngle({1, 0, 1}, {1, 1, 1}), -45, 1e-4);
  EXPECT_NEAR(VectorAngle({1, 0, 1}, {1, -1, 1}), 45, 1e-4);
}

TEST(Angle, NormalizeFoldsIntoMinus180To360) {
  EXPECT_EQ(NormalizeAngle(350), 350);
  EXPECT_EQ(NormalizeAngle(-190), 170);
  EXPECT_EQ(NormalizeAngle(-540), -180);
  EXPECT_EQ(NormalizeAngle(720), 0);
  EXPECT_EQ(NormalizeAngle(360), 0);
  EXPECT_EQ(NormalizeAngle(-180), -180);
  EXPECT_EQ(NormalizeAngle(-181), 179);
  EXPECT_FLOAT_EQ(NormalizeAngle(1000.5f), 280.5f);
}

TEST(Angle, ConversionUsesFloatFactors) {
  EXPECT_FLOAT_EQ(DegToRad(180), std::numbers::pi_v<float>);
  EXPECT_FLOAT_EQ(RadToDeg(DegToRad(37)), 37);
}

}  // namespace
