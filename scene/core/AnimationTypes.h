#pragma once

// The easing choices of animations, shared by the animation classes and by the visual
// object's shortcut that animates one of its numbers.

#include "platform/component/ClassInfo.h"

enum TvxInterpolationType {
  vxInterpolationLinear,
  vxInterpolationQuadratic,
  vxInterpolationCubic,
  vxInterpolationQuartic,
  vxInterpolationQuintic,
  vxInterpolationSinusoidal,
  vxInterpolationExponential,
  vxInterpolationCircular,
  vxInterpolationElastic,
  vxInterpolationBack,
  vxInterpolationBounce,
};
const TEnumInfo& InterpolationTypeNames();

enum TvxAnimationType { vxAnimationIn, vxAnimationOut, vxAnimationInOut };
const TEnumInfo& AnimationTypeNames();
