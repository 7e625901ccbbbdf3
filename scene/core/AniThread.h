#pragma once

// The one driver of all running animations of the process: a 33 ms timer on the user-interface
// thread that steps each of them by the time the tick clock moved since the last step, and
// stops while none runs.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Timer.h"

class TvxAnimation;

class TvxAniThread {
 public:
  static constexpr uint32_t Interval = 33;

  TvxAniThread();
  ~TvxAniThread();
  TvxAniThread(const TvxAniThread&) = delete;
  TvxAniThread& operator=(const TvxAniThread&) = delete;

  // Adds unless present.
  void Add(TvxAnimation* animation);
  void Remove(TvxAnimation* animation);
  bool Contains(const TvxAnimation* animation) const;
  int Count() const { return int(animations_.size()); }
  // Whether its timer runs: only while it holds an animation.
  bool Ticking() const { return timer_->Enabled(); }
  // Whether a timer event is being handled: the driver cannot be freed then.
  bool Stepping() const { return stepping_; }

 private:
  void OnTimer();
  void StepAll(float dt);
  void Step(TvxAnimation& animation, float dt);

  std::unique_ptr<ITimer> timer_;
  uint32_t lastTick_;  // tick count of the last step; ticks are compared as differences
  bool stepping_ = false;
  std::vector<TvxAnimation*> animations_;
};

// The driver when it exists.
TvxAniThread* AniThread();
// The driver, created on first need; null when there are no platform services to drive it.
TvxAniThread* EnsureAniThread();
// Frees the driver; when called from within one of its steps, once the step is over.
void FreeAniThread();
// For the scene host when a scene goes: frees the driver once no scene is left.
void FreeAniThreadWithLastScene();
