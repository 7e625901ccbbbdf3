#pragma once

// A clock that moves only when told to, with the timers and the posted tasks it drives, so
// that time-dependent behaviour runs the same on every machine.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Clock.h"
#include "platform/EventLoop.h"

class TVirtualTimer;

class TVirtualClock : public IClock, public IEventLoop {
 public:
  explicit TVirtualClock(TDateTime start, uint32_t startTick = 0);
  ~TVirtualClock() override;
  TVirtualClock(const TVirtualClock&) = delete;
  TVirtualClock& operator=(const TVirtualClock&) = delete;

  TDateTime Now() const override;
  uint32_t TickCount() const override;
  std::unique_ptr<ITimer> CreateTimer() override;
  void Post(std::function<void()> task) override;
  void ProcessMessages() override;
  // Runs tasks and, while `done` is false, moves time on to each next due timer; returns
  // when no timer is left to fire.
  void RunUntil(const std::function<bool()>& done) override;

  // Moves time forward by `ms`, firing every timer that falls due on the way at its own due
  // time, earliest first and, at equal times, in the order they were started; the tasks
  // pending after each firing and at the end are run too. Must not be called from a callback.
  void Advance(int64_t ms);
  // Sets the wall clock only, as a user changing the system time: ticks and timers go on.
  void SetNow(TDateTime now);

 private:
  friend class TVirtualTimer;
  void Arm(TVirtualTimer& timer);
  void Forget(TVirtualTimer& timer);
  TVirtualTimer* NextDue(int64_t until) const;

  int64_t elapsed_ = 0;     // ms since construction
  int64_t wallOffset_ = 0;  // wall-clock ms since 1899-12-30 at elapsed 0
  uint32_t startTick_;
  uint64_t armCount_ = 0;
  bool advancing_ = false;
  std::vector<TVirtualTimer*> timers_;
  std::deque<std::function<void()>> tasks_;
};

class TVirtualTimer : public ITimer {
 public:
  explicit TVirtualTimer(TVirtualClock& clock);
  ~TVirtualTimer() override;

  void SetInterval(uint32_t ms) override;
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> onTimer) override { onTimer_ = std::move(onTimer); }

 private:
  friend class TVirtualClock;
  bool Armed() const { return enabled_ && interval_ > 0; }

  TVirtualClock* clock_;  // null once the clock is gone
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  std::function<void()> onTimer_;
  int64_t due_ = 0;
  uint64_t armOrder_ = 0;
};
