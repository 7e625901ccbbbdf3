#include "scene/core/GradientAnimation.h"

#include <algorithm>

LC_PUBLISH(TvxGradientAnimation) {
  p.Object("StartValue", &TvxGradientAnimation::StartValue);
  p.Object("StopValue", &TvxGradientAnimation::StopValue);
  p.Bool("StartFromCurrent", &TvxGradientAnimation::StartFromCurrent,
         &TvxGradientAnimation::SetStartFromCurrent);
  p.String("PropertyName", &TvxGradientAnimation::PropertyName,
           &TvxGradientAnimation::SetPropertyName);
}

TvxGradient* TvxGradientAnimation::TargetGradient() const {
  const TvxPropertyPath* path = target_.On(Parent());
  return path ? path->FindObject<TvxGradient>() : nullptr;
}

void TvxGradientAnimation::Start() {
  target_.Resolve(Parent());
  if (startFromCurrent_)
    if (TvxGradient* gradient = TargetGradient()) startValue_.Assign(*gradient);
  TvxAnimation::Start();
}

// Points that exist in all three gradients change together, and the gradient tells its owner
// once.
void TvxGradientAnimation::ProcessAnimation() {
  TvxGradient* gradient = TargetGradient();
  if (!gradient) return;
  const float t = NormalizedTime();
  TvxGradientPoints& points = *gradient->Points();
  const int count =
      std::min({points.Count(), startValue_.Points()->Count(), stopValue_.Points()->Count()});
  points.BeginUpdate();
  for (int i = 0; i < count; ++i)
    points.Point(i)->SetColor(InterpolateColor(startValue_.Points()->Point(i)->Color(),
                                               stopValue_.Points()->Point(i)->Color(), t));
  points.EndUpdate();
}
