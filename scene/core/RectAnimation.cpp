#include "scene/core/RectAnimation.h"

#include "scene/core/Color.h"

LC_PUBLISH(TvxRectAnimation) {
  p.Object("StartValue", &TvxRectAnimation::StartValue);
  p.Object("StopValue", &TvxRectAnimation::StopValue);
  p.Bool("StartFromCurrent", &TvxRectAnimation::StartFromCurrent,
         &TvxRectAnimation::SetStartFromCurrent);
  p.String("PropertyName", &TvxRectAnimation::PropertyName, &TvxRectAnimation::SetPropertyName);
}

TvxBounds* TvxRectAnimation::TargetBounds() const {
  const TvxPropertyPath* path = target_.On(Parent());
  return path ? path->FindObject<TvxBounds>() : nullptr;
}

void TvxRectAnimation::Start() {
  target_.Resolve(Parent());
  if (startFromCurrent_)
    if (TvxBounds* bounds = TargetBounds()) startValue_.SetRect(bounds->Rect());
  TvxAnimation::Start();
}

void TvxRectAnimation::ProcessAnimation() {
  TvxBounds* bounds = TargetBounds();
  if (!bounds) return;
  const float t = NormalizedTime();
  const TvxRect a = startValue_.Rect();
  const TvxRect b = stopValue_.Rect();
  bounds->SetRect({InterpolateSingle(a.Left, b.Left, t), InterpolateSingle(a.Top, b.Top, t),
                   InterpolateSingle(a.Right, b.Right, t),
                   InterpolateSingle(a.Bottom, b.Bottom, t)});
}
