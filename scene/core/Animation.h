#pragma once

// Animations: child objects that change one property of their parent over time. The shared
// driver (AniThread.h) steps every running animation on one timer.

#include <string>

#include "scene/core/Easing.h"
#include "scene/core/Object.h"
#include "scene/core/PropertyPath.h"

// The property an animation writes, resolved from its path on the parent at each start and
// valid only while the parent stays the same.
class TvxAnimationTarget {
 public:
  const std::string& PropertyName() const { return propertyName_; }
  void SetPropertyName(const std::string& value) { propertyName_ = value; }
  // Resolves the path on `parent`; without a parent nothing is resolved.
  void Resolve(TvxObject* parent);
  // The resolved property while `parent` is the object it was resolved on, else null.
  const TvxPropertyPath* On(const TvxObject* parent) const;

 private:
  std::string propertyName_;
  const TvxObject* parent_ = nullptr;
  TvxPropertyPath path_;
};

class TvxAnimation : public TvxObject, public IvxAnimationEnd {
  LC_CLASS(TvxAnimation, TvxObject)

 public:
  explicit TvxAnimation(TComponent* owner);
  ~TvxAnimation() override;

  // Writes the value for the current time; the base writes nothing.
  virtual void ProcessAnimation() {}
  // Runs from the start value (the stop value when Inverse). A duration under 0.001 s, or no
  // scene or timer to drive the run, applies the end value at once.
  void Start() override;
  // Ends a run with the end value applied.
  void Stop() override;
  // Ends a run leaving the property as it is.
  virtual void StopAtCurrent();
  // Starts forwards when `trigger` is named by Trigger and its conditions hold on `instance`,
  // backwards when the same holds for TriggerInverse.
  void StartTrigger(TvxObject* instance, const std::string& trigger) override;
  bool IsRunning() const override { return running_; }
  bool HasTrigger() const override { return !trigger_.empty(); }

  // The eased progress of the current time, 0 while a delay runs.
  float NormalizedTime() const;
  float CurrentTime() const { return time_; }

  float Duration() const { return duration_; }
  void SetDuration(float value) { duration_ = value; }
  float Delay() const { return delay_; }
  void SetDelay(float value) { delay_ = value; }
  bool Loop() const { return loop_; }
  void SetLoop(bool value) { loop_ = value; }
  bool AutoReverse() const { return autoReverse_; }
  void SetAutoReverse(bool value) { autoReverse_ = value; }
  bool Inverse() const { return inverse_; }
  void SetInverse(bool value) { inverse_ = value; }
  TvxInterpolationType Interpolation() const { return interpolation_; }
  void SetInterpolation(TvxInterpolationType value) { interpolation_ = value; }
  TvxAnimationType AnimationType() const { return animationType_; }
  void SetAnimationType(TvxAnimationType value) { animationType_ = value; }
  bool Enabled() const { return enabled_; }
  // Outside loading, a change to true starts and a change to false stops.
  void SetEnabled(bool value);
  const std::string& Trigger() const { return trigger_; }
  void SetTrigger(const std::string& value) { trigger_ = value; }
  const std::string& TriggerInverse() const { return triggerInverse_; }
  void SetTriggerInverse(const std::string& value) { triggerInverse_ = value; }
  bool HideOnFinish() const { return hideOnFinish_; }
  void SetHideOnFinish(bool value) { hideOnFinish_ = value; }

  TNotifyEvent OnProcess;
  TNotifyEvent OnFinish;

  // Form data keeps Duration only when it differs from the class's own default.
  bool DurationStored() const { return duration_ != DefaultDuration(); }

 protected:
  void Loaded() override;
  // The duration a new animation of the class has.
  virtual float DefaultDuration() const { return 0.2f; }
  // A visual parent that is hidden: runs neither start nor go on.
  bool ParentHidden() const;

 private:
  friend class TvxAniThread;
  // One step of `dt` seconds from the driver.
  void Tick(float dt);
  void DelayTick(float dt);
  // Moves the time; true when the run reached its end.
  bool Advance(float dt);
  void InstantRun();
  void LeaveDriver();
  bool TriggerFires(const std::string& text, const std::string& event, TvxObject& instance) const;

  float duration_;
  float delay_ = 0;
  bool loop_ = false;
  bool autoReverse_ = false;
  bool inverse_ = false;
  TvxInterpolationType interpolation_ = vxInterpolationLinear;
  TvxAnimationType animationType_ = vxAnimationIn;
  bool enabled_ = false;
  std::string trigger_;
  std::string triggerInverse_;
  bool hideOnFinish_ = false;

  float time_ = 0;
  float delayTime_ = 0;  // remaining delay
  bool running_ = false;
  bool restartAfterDelay_ = false;
  int caretTicks_ = 0;  // the driver's count for slowed-down caret blinking
};
