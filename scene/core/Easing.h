#pragma once

// The easing curves of animations: the widely used easing equations with begin 0, change 1
// and the animation's duration.

#include "scene/core/AnimationTypes.h"

// The eased progress at `time` seconds of a run lasting `duration` seconds: 0 at the start and
// 1 at the end; Back and Elastic leave [0, 1] on the way. 0 when the duration is not a positive
// finite number.
// Times outside the run count as its nearer end.
float EaseProgress(TvxInterpolationType interpolation, TvxAnimationType type, float time,
                   float duration);
