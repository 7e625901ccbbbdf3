#include "scene/core/Animation.h"

#include <cmath>
#include <limits>

#include "scene/core/AniThread.h"
#include "scene/core/TriggerText.h"

namespace {

// Runs shorter than this are not worth a timer: they jump to their end.
constexpr float kShortestRun = 0.001f;
// What the duration of an instantly run animation is left at, so later starts are instant too.
constexpr float kInstantDuration = 0.00001f;

bool IsInstant(float duration) {
  return !(std::abs(duration) >= kShortestRun);
}

}  // namespace

void TvxAnimationTarget::Resolve(TvxObject* parent) {
  parent_ = parent;
  path_ = parent ? ResolvePropertyPath(*parent, propertyName_) : TvxPropertyPath();
}

const TvxPropertyPath* TvxAnimationTarget::On(const TvxObject* parent) const {
  return parent && parent == parent_ ? &path_ : nullptr;
}

LC_PUBLISH(TvxAnimation) {
  // The default depends on the class; DurationStored decides alone.
  p.Float("Duration", &TvxAnimation::Duration, &TvxAnimation::SetDuration,
          std::numeric_limits<double>::quiet_NaN())
      .StoredIf(&TvxAnimation::DurationStored);
  p.Float("Delay", &TvxAnimation::Delay, &TvxAnimation::SetDelay);
  p.Bool("Loop", &TvxAnimation::Loop, &TvxAnimation::SetLoop);
  p.Bool("AutoReverse", &TvxAnimation::AutoReverse, &TvxAnimation::SetAutoReverse);
  p.Bool("Inverse", &TvxAnimation::Inverse, &TvxAnimation::SetInverse);
  p.Enum("Interpolation", InterpolationTypeNames(), &TvxAnimation::Interpolation,
         &TvxAnimation::SetInterpolation);
  p.Enum("AnimationType", AnimationTypeNames(), &TvxAnimation::AnimationType,
         &TvxAnimation::SetAnimationType);
  p.Bool("Enabled", &TvxAnimation::Enabled, &TvxAnimation::SetEnabled);
  p.String("Trigger", &TvxAnimation::Trigger, &TvxAnimation::SetTrigger);
  p.String("TriggerInverse", &TvxAnimation::TriggerInverse, &TvxAnimation::SetTriggerInverse);
  p.Bool("HideOnFinish", &TvxAnimation::HideOnFinish, &TvxAnimation::SetHideOnFinish);
  p.Event("OnProcess", &TvxAnimation::OnProcess);
  p.Event("OnFinish", &TvxAnimation::OnFinish);
}

TvxAnimation::TvxAnimation(TComponent* owner) : TvxObject(owner), duration_(0.2f) {}

TvxAnimation::~TvxAnimation() {
  LeaveDriver();
}

void TvxAnimation::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (HasState(csLoading)) return;
  if (value) {
    Start();
  } else {
    Stop();
  }
}

void TvxAnimation::Loaded() {
  TvxObject::Loaded();
  if (enabled_) Start();
}

bool TvxAnimation::ParentHidden() const {
  const TvxObject* parent = Parent();
  if (!parent || !parent->IsVisual()) return false;
  const TPropInfo* visible = parent->ClassType().FindProp("Visible");
  return visible && visible->kind == TPropKind::Bool && !visible->getOrdinal(*parent);
}

float TvxAnimation::NormalizedTime() const {
  if (delayTime_ > 0) return 0;
  return EaseProgress(interpolation_, animationType_, time_, duration_);
}

// Running.

void TvxAnimation::Start() {
  const bool afterDelay = std::exchange(restartAfterDelay_, false);
  if (ParentHidden()) return;
  TvxAniThread* driver = IsInstant(duration_) || !Scene() ? nullptr : EnsureAniThread();
  if (!driver) return InstantRun();
  delayTime_ = afterDelay ? 0 : delay_;
  running_ = true;
  time_ = inverse_ ? duration_ : 0;
  if (delay_ == 0) ProcessAnimation();
  driver->Add(this);
  enabled_ = true;
}

void TvxAnimation::InstantRun() {
  LeaveDriver();
  delayTime_ = 0;
  const float duration = duration_;
  duration_ = 1;
  time_ = inverse_ ? 0 : 1;
  running_ = true;
  ProcessAnimation();
  running_ = false;
  time_ = 0;
  // Only a duration too short to run stays instant; a run instant for want of a scene keeps
  // its length for when it has one.
  duration_ = IsInstant(duration) ? kInstantDuration : duration;
  enabled_ = false;
  OnFinish(this);
}

void TvxAnimation::Stop() {
  if (!running_) return;
  LeaveDriver();
  delayTime_ = 0;  // a pending delay would make the end value the start value
  time_ = inverse_ ? 0 : duration_;
  ProcessAnimation();
  running_ = false;
  enabled_ = false;
  OnFinish(this);
}

void TvxAnimation::StopAtCurrent() {
  if (!running_) return;
  LeaveDriver();
  time_ = inverse_ ? 0 : duration_;
  running_ = false;
  enabled_ = false;
  OnFinish(this);
}

void TvxAnimation::LeaveDriver() {
  if (TvxAniThread* driver = AniThread()) driver->Remove(this);
}

void TvxAnimation::Tick(float dt) {
  if (HasState(csDestroying)) return;
  if (ParentHidden()) return Stop();
  if (!running_) return;
  if (delay_ > 0 && delayTime_ != 0) return DelayTick(dt);
  const bool ended = Advance(dt);
  ProcessAnimation();
  OnProcess(this);
  if (!ended) return;
  LeaveDriver();
  OnFinish(this);
}

void TvxAnimation::DelayTick(float dt) {
  delayTime_ -= dt;
  if (delayTime_ > 0) return;
  delayTime_ = 0;
  restartAfterDelay_ = true;
  Start();
}

bool TvxAnimation::Advance(float dt) {
  time_ += inverse_ ? -dt : dt;
  if (time_ >= duration_) {
    time_ = duration_;
    if (!loop_) {
      running_ = false;
      return true;
    }
    if (autoReverse_) {
      inverse_ = true;
    } else {
      time_ = 0;
    }
  } else if (time_ <= 0) {
    time_ = 0;
    if (!loop_) {
      running_ = false;
      return true;
    }
    if (autoReverse_) {
      inverse_ = false;
    } else {
      time_ = duration_;
    }
  }
  return false;
}

// Triggers.

void TvxAnimation::StartTrigger(TvxObject* instance, const std::string& trigger) {
  if (!instance) return;
  if (!triggerInverse_.empty() && TriggerFires(triggerInverse_, trigger, *instance)) {
    inverse_ = true;
    return Start();
  }
  if (!trigger_.empty() && TriggerFires(trigger_, trigger, *instance)) {
    if (!triggerInverse_.empty()) inverse_ = false;
    Start();
  }
}

// Every condition on a property the instance has must hold, and there must be one.
bool TvxAnimation::TriggerFires(const std::string& text, const std::string& event,
                                TvxObject& instance) const {
  if (!TriggerMentions(text, event)) return false;
  bool tested = false;
  for (const TvxTriggerCondition& condition : ParseTrigger(text)) {
    const std::optional<bool> holds = ConditionHolds(instance, condition);
    if (!holds) continue;
    if (!*holds) return false;
    tested = true;
  }
  return tested;
}
