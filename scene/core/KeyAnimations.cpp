#include "scene/core/KeyAnimations.h"

#include <algorithm>

#include "scene/core/ColorAnimation.h"
#include "scene/core/FloatAnimation.h"
#include "scene/core/ValueText.h"

LC_PUBLISH(TvxKey) {
  p.Float("Key", &TvxKey::Key, &TvxKey::SetKey);
}

LC_PUBLISH(TvxColorKey) {
  p.String("Value", &TvxColorKey::ValueText, &TvxColorKey::SetValueText, "#FFFFFFFF");
}

LC_PUBLISH(TvxFloatKey) {
  p.Float("Value", &TvxFloatKey::Value, &TvxFloatKey::SetValue);
}

LC_PUBLISH(TvxKeys) {}

LC_PUBLISH(TvxColorKeyAnimation) {
  p.Object("Keys", &TvxColorKeyAnimation::Keys);
  p.Bool("StartFromCurrent", &TvxColorKeyAnimation::StartFromCurrent,
         &TvxColorKeyAnimation::SetStartFromCurrent);
  p.String("PropertyName", &TvxColorKeyAnimation::PropertyName,
           &TvxColorKeyAnimation::SetPropertyName);
}

LC_PUBLISH(TvxFloatKeyAnimation) {
  p.Object("Keys", &TvxFloatKeyAnimation::Keys);
  p.Bool("StartFromCurrent", &TvxFloatKeyAnimation::StartFromCurrent,
         &TvxFloatKeyAnimation::SetStartFromCurrent);
  p.String("PropertyName", &TvxFloatKeyAnimation::PropertyName,
           &TvxFloatKeyAnimation::SetPropertyName);
}

void TvxKey::SetKey(float value) {
  key_ = std::clamp(value, 0.0f, 1.0f);
}

std::string TvxColorKey::ValueText() const {
  return ColorToText(value_);
}

void TvxColorKey::SetValueText(const std::string& text) {
  value_ = TextToColor(text);
}

std::optional<TvxKeySpan> TvxKeys::FindSpan(float t) const {
  for (int i = 0; i + 1 < Count(); ++i) {
    const float k1 = Key(i)->Key();
    const float k2 = Key(i + 1)->Key();
    if (k1 <= t && t <= k2) {
      if (k1 == k2) return std::nullopt;
      return TvxKeySpan{i, (t - k1) / (k2 - k1)};
    }
  }
  return std::nullopt;
}

// Colour keys.

TvxColorKeyAnimation::TvxColorKeyAnimation(TComponent* owner)
    : TvxAnimation(owner),
      keys_([](TCollection* keys) { return std::make_unique<TvxColorKey>(keys); }) {}

void TvxColorKeyAnimation::Start() {
  target_.Resolve(Parent());
  const TvxPropertyPath* path = target_.On(Parent());
  TvxColor current = 0;
  if (startFromCurrent_ && keys_.Count() > 0 && path && ReadColorProperty(*path, current))
    Key(0)->SetValue(current);
  TvxAnimation::Start();
}

void TvxColorKeyAnimation::ProcessAnimation() {
  const TvxPropertyPath* path = target_.On(Parent());
  const std::optional<TvxKeySpan> span = keys_.FindSpan(NormalizedTime());
  if (!path || !span) return;
  WriteColorProperty(*path, InterpolateColor(Key(span->Index)->Value(),
                                             Key(span->Index + 1)->Value(), span->Local));
}

// Float keys.

TvxFloatKeyAnimation::TvxFloatKeyAnimation(TComponent* owner)
    : TvxAnimation(owner),
      keys_([](TCollection* keys) { return std::make_unique<TvxFloatKey>(keys); }) {}

void TvxFloatKeyAnimation::Start() {
  target_.Resolve(Parent());
  const TvxPropertyPath* path = target_.On(Parent());
  float current = 0;
  if (startFromCurrent_ && keys_.Count() > 0 && path && ReadFloatProperty(*path, current))
    Key(0)->SetValue(current);
  TvxAnimation::Start();
}

void TvxFloatKeyAnimation::ProcessAnimation() {
  const TvxPropertyPath* path = target_.On(Parent());
  const std::optional<TvxKeySpan> span = keys_.FindSpan(NormalizedTime());
  if (!path || !span) return;
  WriteFloatProperty(*path, InterpolateSingle(Key(span->Index)->Value(),
                                              Key(span->Index + 1)->Value(), span->Local));
}
