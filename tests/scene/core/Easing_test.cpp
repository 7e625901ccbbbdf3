#include "scene/core/Easing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr TvxAnimationType kTypes[] = {vxAnimationIn, vxAnimationOut, vxAnimationInOut};

TEST(EaseProgress, EveryCurveRunsFromZeroToOneWithoutJumps) {
  for (int i = vxInterpolationLinear; i <= vxInterpolationBounce; ++i) {
    const auto curve = TvxInterpolationType(i);
    for (TvxAnimationType type : kTypes) {
      SCOPED_TRACE(InterpolationTypeNames().Name(i) + " " + AnimationTypeNames().Name(type));
      EXPECT_NEAR(EaseProgress(curve, type, 0, 2), 0, 1e-3);
      EXPECT_FLOAT_EQ(EaseProgress(curve, type, 2, 2), 1);
      float previous = 0;
      for (int k = 1; k <= 20000; ++k) {
        const float value = EaseProgress(curve, type, 2.0f * float(k) / 20000, 2);
        ASSERT_TRUE(std::isfinite(value));
        ASSERT_LT(std::abs(value - previous), 0.02f) << "at p = " << k / 20000.0;
        previous = value;
      }
    }
  }
}

TEST(EaseProgress, KnownPointsOfTheCurves) {
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationLinear, vxAnimationInOut, 0.3f, 1), 0.3f);
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationQuadratic, vxAnimationOut, 0.5f, 1), 0.75f);
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationCubic, vxAnimationIn, 0.5f, 1), 0.125f);
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationQuartic, vxAnimationInOut, 0.25f, 1), 0.03125f);
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationSinusoidal, vxAnimationInOut, 0.5f, 1), 0.5f);
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationExponential, vxAnimationInOut, 0.5f, 1), 0.5f);
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationCircular, vxAnimationIn, 0.6f, 1), 0.2f);
  // Bounce meets itself at 2 / 2.75 with the value 1 from both sides.
  EXPECT_NEAR(EaseProgress(vxInterpolationBounce, vxAnimationOut, 2 / 2.75f - 1e-6f, 1), 1, 1e-4);
  EXPECT_NEAR(EaseProgress(vxInterpolationBounce, vxAnimationOut, 2 / 2.75f + 1e-6f, 1), 1, 1e-4);
}

TEST(EaseProgress, BackAndElasticOvershoot) {
  float lowest = 0, highest = 1;
  for (int k = 0; k <= 100; ++k) {
    const float t = float(k) / 100;
    lowest = std::min(lowest, EaseProgress(vxInterpolationBack, vxAnimationIn, t, 1));
    highest = std::max(highest, EaseProgress(vxInterpolationElastic, vxAnimationOut, t, 1));
  }
  EXPECT_LT(lowest, -0.09f);
  EXPECT_GT(highest, 1.3f);
}

TEST(EaseProgress, ElasticKeepsItsShapeWhateverTheDuration) {
  for (float p : {0.1f, 0.37f, 0.8f})
    EXPECT_NEAR(EaseProgress(vxInterpolationElastic, vxAnimationInOut, p * 3, 3),
                EaseProgress(vxInterpolationElastic, vxAnimationInOut, p * 0.5f, 0.5f), 1e-5);
}

TEST(EaseProgress, UnusableDurationsAndTimes) {
  EXPECT_EQ(EaseProgress(vxInterpolationLinear, vxAnimationIn, 0.5f, 0), 0);
  EXPECT_EQ(EaseProgress(vxInterpolationLinear, vxAnimationIn, 0.5f, -1), 0);
  EXPECT_EQ(EaseProgress(vxInterpolationLinear, vxAnimationIn, 0.5f, NAN), 0);
  EXPECT_EQ(EaseProgress(vxInterpolationElastic, vxAnimationIn, 0.5f, INFINITY), 0);
  EXPECT_FLOAT_EQ(EaseProgress(vxInterpolationCircular, vxAnimationIn, 1.5f, 1), 1);
  EXPECT_EQ(EaseProgress(vxInterpolationCircular, vxAnimationOut, -1, 1), 0);
}

}  // namespace
