#include "scene/core/AnimationClasses.h"

#include "scene/core/BitmapAnimations.h"
#include "scene/core/ColorAnimation.h"
#include "scene/core/FloatAnimation.h"
#include "scene/core/GradientAnimation.h"
#include "scene/core/KeyAnimations.h"
#include "scene/core/PathAnimation.h"
#include "scene/core/RectAnimation.h"

void RegisterAnimationClasses(std::vector<const TClassInfo*>& out) {
  out.insert(out.end(), {&TvxColorAnimation::StaticClass(), &TvxGradientAnimation::StaticClass(),
                         &TvxFloatAnimation::StaticClass(), &TvxRectAnimation::StaticClass(),
                         &TvxBitmapAnimation::StaticClass(), &TvxBitmapListAnimation::StaticClass(),
                         &TvxColorKeyAnimation::StaticClass(), &TvxFloatKeyAnimation::StaticClass(),
                         &TvxPathAnimation::StaticClass(), &TvxPathSwitcher::StaticClass()});
}
