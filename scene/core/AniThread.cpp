#include "scene/core/AniThread.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Platform.h"
#include "platform/component/TemporaryChange.h"
#include "platform/component/Unicode.h"
#include "scene/core/Animation.h"
#include "scene/core/SceneInterface.h"

namespace {

// A text caret blinks at a third of the speed its animation describes.
constexpr int kCaretTickDivisor = 3;

std::unique_ptr<TvxAniThread>& Driver() {
  static std::unique_ptr<TvxAniThread> driver;
  return driver;
}

bool freeWhenStepped = false;

}  // namespace

TvxAniThread::TvxAniThread()
    : timer_(Platform().loop->CreateTimer()), lastTick_(Platform().clock->TickCount()) {
  timer_->SetInterval(Interval);
  timer_->SetOnTimer([this] { OnTimer(); });
}

TvxAniThread::~TvxAniThread() = default;

// The timer runs only while there is something to step, so that an idle program sleeps; the
// first step after a pause is timed from the moment stepping resumed.
void TvxAniThread::Add(TvxAnimation* animation) {
  if (Contains(animation)) return;
  if (animations_.empty()) {
    lastTick_ = Platform().clock->TickCount();
    timer_->SetEnabled(true);
  }
  animations_.push_back(animation);
}

void TvxAniThread::Remove(TvxAnimation* animation) {
  std::erase(animations_, animation);
  if (animations_.empty()) timer_->SetEnabled(false);
}

bool TvxAniThread::Contains(const TvxAnimation* animation) const {
  return std::find(animations_.begin(), animations_.end(), animation) != animations_.end();
}

// Times are tick differences in whole milliseconds: a float count of seconds since start-up
// would lose the resolution of a step after a few days, and the tick count wraps.
void TvxAniThread::OnTimer() {
  const uint32_t now = Platform().clock->TickCount();
  const uint32_t elapsed = now - lastTick_;
  if (elapsed == 0) return;
  lastTick_ = now;
  {
    const TTemporaryChange stepping(stepping_, true);
    StepAll(float(elapsed) / 1000.0f);
  }
  if (std::exchange(freeWhenStepped, false)) FreeAniThread();
}

// Last to first, and the position is clamped after each step: a step may end runs (or free
// animations) anywhere in the list.
void TvxAniThread::StepAll(float dt) {
  for (int i = Count() - 1; i >= 0; i = std::min(i - 1, Count() - 1)) {
    TvxAnimation* animation = animations_[size_t(i)];
    if (animation->IsRunning()) Step(*animation, dt);
  }
}

void TvxAniThread::Step(TvxAnimation& animation, float dt) {
  if (SameText(animation.BindingName(), "caret")) {
    if (++animation.caretTicks_ < kCaretTickDivisor) return;
    animation.caretTicks_ = 0;
  }
  animation.Tick(dt);
}

TvxAniThread* AniThread() {
  return Driver().get();
}

TvxAniThread* EnsureAniThread() {
  if (Driver()) return Driver().get();
  try {
    Driver() = std::make_unique<TvxAniThread>();
  } catch (const std::logic_error&) {
    // No platform installed, so no timer: animations then end as soon as they start.
  }
  return Driver().get();
}

void FreeAniThread() {
  if (Driver() && Driver()->Stepping()) {
    freeWhenStepped = true;
    return;
  }
  Driver().reset();
}

void FreeAniThreadWithLastScene() {
  if (Scenes().empty()) FreeAniThread();
}
