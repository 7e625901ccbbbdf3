#include "scene/core/KeyAnimations.h"

#include <algorithm>
#include <utility>

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

template <class C>
static void PublishKeyAnimation(TPublisher<C>& p) {
  p.Object("Keys", &C::Keys);
  p.Bool("StartFromCurrent", &C::StartFromCurrent, &C::SetStartFromCurrent);
  p.String("PropertyName", &C::PropertyName, &C::SetPropertyName);
}

LC_PUBLISH(TvxColorKeyAnimation) {
  PublishKeyAnimation(p);
}

LC_PUBLISH(TvxFloatKeyAnimation) {
  PublishKeyAnimation(p);
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

// Shared behaviour.

TvxKeyAnimation::TvxKeyAnimation(TComponent* owner, TCollection::ItemFactory factory)
    : TvxAnimation(owner), keys_(std::move(factory)) {}

void TvxKeyAnimation::Start() {
  target_.Resolve(Parent());
  const TvxPropertyPath* path = target_.On(Parent());
  if (startFromCurrent_ && keys_.Count() > 0 && path) TakeCurrent(*path);
  TvxAnimation::Start();
}

void TvxKeyAnimation::ProcessAnimation() {
  const TvxPropertyPath* path = target_.On(Parent());
  const std::optional<TvxKeySpan> span = keys_.FindSpan(NormalizedTime());
  if (path && span) WriteBetween(*path, *span);
}

// Colour keys.

TvxColorKeyAnimation::TvxColorKeyAnimation(TComponent* owner)
    : TvxKeyAnimation(owner,
                      [](TCollection* keys) { return std::make_unique<TvxColorKey>(keys); }) {}

void TvxColorKeyAnimation::TakeCurrent(const TvxPropertyPath& path) {
  TvxColor current = 0;
  if (ReadColorProperty(path, current)) Key(0)->SetValue(current);
}

void TvxColorKeyAnimation::WriteBetween(const TvxPropertyPath& path, const TvxKeySpan& span) {
  WriteColorProperty(
      path, InterpolateColor(Key(span.Index)->Value(), Key(span.Index + 1)->Value(), span.Local));
}

// Float keys.

TvxFloatKeyAnimation::TvxFloatKeyAnimation(TComponent* owner)
    : TvxKeyAnimation(owner,
                      [](TCollection* keys) { return std::make_unique<TvxFloatKey>(keys); }) {}

void TvxFloatKeyAnimation::TakeCurrent(const TvxPropertyPath& path) {
  float current = 0;
  if (ReadFloatProperty(path, current)) Key(0)->SetValue(current);
}

void TvxFloatKeyAnimation::WriteBetween(const TvxPropertyPath& path, const TvxKeySpan& span) {
  WriteFloatProperty(
      path, InterpolateSingle(Key(span.Index)->Value(), Key(span.Index + 1)->Value(), span.Local));
}
