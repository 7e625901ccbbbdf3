#include "scene/graphics/Effect.h"

#include "scene/core/TriggerText.h"
#include "scene/core/VisualObject.h"

LC_PUBLISH(TvxEffect) {
  p.String("Trigger", &TvxEffect::Trigger, &TvxEffect::SetTrigger);
  p.Bool("Enabled", &TvxEffect::Enabled, &TvxEffect::SetEnabled, true);
}

TvxEffect::TvxEffect(TComponent* owner) : TvxObject(owner) {}

TvxEffect::~TvxEffect() {
  DestroyTree();
}

TvxEffect::TvxEffect(TComponent* owner, Placement placement)
    : TvxObject(owner), placement_(placement) {}

TvxRect TvxEffect::GetRect(const TvxRect& rect) const {
  return rect;
}

TvxPoint TvxEffect::GetOffset() const {
  return {};
}

void TvxEffect::ProcessEffect(TvxCanvas&, TvxBitmap&, float) {}

void TvxEffect::ApplyTrigger(TvxObject* instance, const std::string& event) {
  if (!instance || trigger_.empty() || !TriggerMentions(trigger_, event)) return;
  bool result = false;
  for (const TvxTriggerCondition& condition : ParseTrigger(trigger_))
    if (const std::optional<bool> holds = ConditionHolds(*instance, condition)) result = *holds;
  SetEnabled(result);
}

void TvxEffect::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed();
}

void TvxEffect::Changed() {
  if (HasState(csLoading)) return;
  if (auto* object = dynamic_cast<TvxVisualObject*>(Parent())) object->EffectChanged();
}
