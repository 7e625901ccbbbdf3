#include "scene/core/FloatAnimation.h"

#include "scene/core/Color.h"

LC_PUBLISH(TvxFloatAnimation) {
  p.Float("StartValue", &TvxFloatAnimation::StartValue, &TvxFloatAnimation::SetStartValue);
  p.Float("StopValue", &TvxFloatAnimation::StopValue, &TvxFloatAnimation::SetStopValue);
  p.Bool("StartFromCurrent", &TvxFloatAnimation::StartFromCurrent,
         &TvxFloatAnimation::SetStartFromCurrent);
  p.String("PropertyName", &TvxFloatAnimation::PropertyName, &TvxFloatAnimation::SetPropertyName);
}

bool ReadFloatProperty(const TvxPropertyPath& path, float& value) {
  const TPropInfo* prop = path.Find(TPropKind::Float);
  if (!prop) return false;
  value = float(prop->getFloat(*path.object));
  return true;
}

void WriteFloatProperty(const TvxPropertyPath& path, float value) {
  if (const TPropInfo* prop = path.Find(TPropKind::Float)) prop->setFloat(*path.object, value);
}

void TvxFloatAnimation::Start() {
  target_.Resolve(Parent());
  if (startFromCurrent_)
    if (const TvxPropertyPath* path = target_.On(Parent())) ReadFloatProperty(*path, startValue_);
  TvxAnimation::Start();
}

void TvxFloatAnimation::ProcessAnimation() {
  if (const TvxPropertyPath* path = target_.On(Parent()))
    WriteFloatProperty(*path, InterpolateSingle(startValue_, stopValue_, NormalizedTime()));
}
