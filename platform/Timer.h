#pragma once

#include <cstdint>
#include <functional>

// A repeating timer on the user-interface thread, made by IEventLoop::CreateTimer and stopped
// when its owner destroys it. It starts disabled with an interval of 1000 ms; an interval of
// 0 never fires. Changing the interval of an enabled timer restarts its period; enabling an
// already enabled one does not. The callback may destroy or change any timer, itself included.
class ITimer {
 public:
  virtual ~ITimer() = default;
  virtual void SetInterval(uint32_t ms) = 0;
  virtual uint32_t Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetOnTimer(std::function<void()> onTimer) = 0;
};
