#include "platform/headless/VirtualClock.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/component/TemporaryChange.h"

TVirtualClock::TVirtualClock(TDateTime start, uint32_t startTick) : startTick_(startTick) {
  SetNow(start);
}

TVirtualClock::~TVirtualClock() {
  for (TVirtualTimer* timer : timers_) timer->clock_ = nullptr;
}

TDateTime TVirtualClock::Now() const {
  return static_cast<double>(wallOffset_ + elapsed_) / MSecsPerDay;
}

uint32_t TVirtualClock::TickCount() const {
  return startTick_ + static_cast<uint32_t>(static_cast<uint64_t>(elapsed_));
}

std::unique_ptr<ITimer> TVirtualClock::CreateTimer() {
  return std::make_unique<TVirtualTimer>(*this);
}

void TVirtualClock::Post(std::function<void()> task) {
  tasks_.push_back(std::move(task));
}

void TVirtualClock::ProcessMessages() {
  // Only what is pending now: a task that posts again runs on the next call.
  for (size_t pending = tasks_.size(); pending > 0 && !tasks_.empty(); --pending) {
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
  }
}

void TVirtualClock::Advance(int64_t ms) {
  if (advancing_) throw std::logic_error("TVirtualClock::Advance called from a callback");
  const TTemporaryChange advancing(advancing_, true);
  const int64_t until = elapsed_ + std::max<int64_t>(ms, 0);
  ProcessMessages();
  while (TVirtualTimer* timer = NextDue(until)) {
    elapsed_ = timer->due_;
    Arm(*timer);
    // A copy, because the callback may destroy the timer it runs for.
    std::function<void()> onTimer = timer->onTimer_;
    if (onTimer) onTimer();
    ProcessMessages();
  }
  // A modal loop run from a callback may have moved time past `until`.
  elapsed_ = std::max(elapsed_, until);
  ProcessMessages();
}

void TVirtualClock::RunUntil(const std::function<bool()>& done) {
  ProcessMessages();
  while (!done()) {
    TVirtualTimer* timer = NextDue(INT64_MAX);
    if (!timer) return;
    elapsed_ = std::max(elapsed_, timer->due_);
    Arm(*timer);
    std::function<void()> onTimer = timer->onTimer_;
    if (onTimer) onTimer();
    ProcessMessages();
  }
}

void TVirtualClock::SetNow(TDateTime now) {
  wallOffset_ = std::llround(now * MSecsPerDay) - elapsed_;
}

void TVirtualClock::Arm(TVirtualTimer& timer) {
  timer.due_ = elapsed_ + timer.interval_;
  timer.armOrder_ = ++armCount_;
}

void TVirtualClock::Forget(TVirtualTimer& timer) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

TVirtualTimer* TVirtualClock::NextDue(int64_t until) const {
  TVirtualTimer* next = nullptr;
  for (TVirtualTimer* timer : timers_) {
    if (!timer->Armed() || timer->due_ > until) continue;
    if (!next || timer->due_ < next->due_ ||
        (timer->due_ == next->due_ && timer->armOrder_ < next->armOrder_)) {
      next = timer;
    }
  }
  return next;
}

TVirtualTimer::TVirtualTimer(TVirtualClock& clock) : clock_(&clock) {
  clock_->timers_.push_back(this);
}

TVirtualTimer::~TVirtualTimer() {
  if (clock_) clock_->Forget(*this);
}

void TVirtualTimer::SetInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_ && clock_) clock_->Arm(*this);
}

void TVirtualTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_ && clock_) clock_->Arm(*this);
}
