#include "scene/graphics/Effect.h"

#include "scene/core/TriggerText.h"
#include "scene/core/VisualObject.h"

LC_PUBLISH(TvxEffect) {
  p.String("Trigger", &TvxEffect::Trigger, &TvxEffect::SetTrigger);
  p.Bool("Enabled", &TvxEffect::Enabled, &TvxEffect::SetEnabled, true);
}

namespace {

// Effects live on the user-interface thread, so a plain counter numbers their settings.
uint64_t NextRevision() {
  static uint64_t revision = 0;
  return ++revision;
}

}  // namespace

TvxEffect::TvxEffect(TComponent* owner) : TvxObject(owner), revision_(NextRevision()) {}

TvxEffect::~TvxEffect() {
  DestroyTree();
}

TvxEffect::TvxEffect(TComponent* owner, Placement placement)
    : TvxObject(owner), placement_(placement), revision_(NextRevision()) {}

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
  revision_ = NextRevision();
  if (HasState(csLoading)) return;
  if (auto* object = dynamic_cast<TvxVisualObject*>(Parent())) object->EffectChanged();
}
