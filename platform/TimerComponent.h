#pragma once

// The timer component of forms: a platform timer with published Interval, Enabled and
// OnTimer, so form data can declare it.

#include <memory>

#include "platform/Timer.h"
#include "platform/component/Publisher.h"

class TTimer : public TComponent {
  LC_CLASS(TTimer, TComponent)

 public:
  explicit TTimer(TComponent* owner);

  uint32_t Interval() const { return timer_->Interval(); }
  void SetInterval(uint32_t ms) { timer_->SetInterval(ms); }
  bool Enabled() const { return timer_->Enabled(); }
  void SetEnabled(bool enabled) { timer_->SetEnabled(enabled); }

  // The timer underneath, for code that switches it without going through the component.
  ITimer& Timer() { return *timer_; }

  TNotifyEvent OnTimer;

 private:
  std::unique_ptr<ITimer> timer_;
};
