#include "scene/core/AnimationTypes.h"

const TEnumInfo& InterpolationTypeNames() {
  static const TEnumInfo names{
      {"vxInterpolationLinear", "vxInterpolationQuadratic", "vxInterpolationCubic",
       "vxInterpolationQuartic", "vxInterpolationQuintic", "vxInterpolationSinusoidal",
       "vxInterpolationExponential", "vxInterpolationCircular", "vxInterpolationElastic",
       "vxInterpolationBack", "vxInterpolationBounce"}};
  return names;
}

const TEnumInfo& AnimationTypeNames() {
  static const TEnumInfo names{{"vxAnimationIn", "vxAnimationOut", "vxAnimationInOut"}};
  return names;
}
