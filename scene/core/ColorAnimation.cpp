#include "scene/core/ColorAnimation.h"

#include "scene/core/ValueText.h"

LC_PUBLISH(TvxColorAnimation) {
  p.String("StartValue", &TvxColorAnimation::StartValueText, &TvxColorAnimation::SetStartValueText,
           "#FFFFFFFF");
  p.String("StopValue", &TvxColorAnimation::StopValueText, &TvxColorAnimation::SetStopValueText,
           "#FFFFFFFF");
  p.Bool("StartFromCurrent", &TvxColorAnimation::StartFromCurrent,
         &TvxColorAnimation::SetStartFromCurrent);
  p.String("PropertyName", &TvxColorAnimation::PropertyName, &TvxColorAnimation::SetPropertyName);
}

bool ReadColorProperty(const TvxPropertyPath& path, TvxColor& color) {
  const TPropInfo* prop = path.Find();
  if (!prop) return false;
  if (prop->kind == TPropKind::String) {
    color = TextToColor(prop->getString(*path.object));
  } else if (prop->kind == TPropKind::Integer) {
    color = TvxColor(prop->getOrdinal(*path.object));
  } else {
    return false;
  }
  return true;
}

void WriteColorProperty(const TvxPropertyPath& path, TvxColor color) {
  const TPropInfo* prop = path.Find();
  if (!prop) return;
  if (prop->kind == TPropKind::String) {
    prop->setString(*path.object, ColorToText(color));
  } else if (prop->kind == TPropKind::Integer) {
    prop->setOrdinal(*path.object, int64_t(color));
  }
}

std::string TvxColorAnimation::StartValueText() const {
  return ColorToText(startValue_);
}

void TvxColorAnimation::SetStartValueText(const std::string& text) {
  startValue_ = TextToColor(text);
}

std::string TvxColorAnimation::StopValueText() const {
  return ColorToText(stopValue_);
}

void TvxColorAnimation::SetStopValueText(const std::string& text) {
  stopValue_ = TextToColor(text);
}

void TvxColorAnimation::Start() {
  target_.Resolve(Parent());
  if (startFromCurrent_)
    if (const TvxPropertyPath* path = target_.On(Parent())) ReadColorProperty(*path, startValue_);
  TvxAnimation::Start();
}

void TvxColorAnimation::ProcessAnimation() {
  if (const TvxPropertyPath* path = target_.On(Parent()))
    WriteColorProperty(*path, InterpolateColor(startValue_, stopValue_, NormalizedTime()));
}
