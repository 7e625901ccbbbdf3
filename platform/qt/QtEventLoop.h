#pragma once

#include <QTimer>

#include "platform/EventLoop.h"

// Posted tasks and timers on the Qt event loop of the application's thread.
class TQtEventLoop : public IEventLoop {
 public:
  std::unique_ptr<ITimer> CreateTimer() override;
  void Post(std::function<void()> task) override;
  void ProcessMessages() override;
  void RunUntil(const std::function<bool()>& done) override;
};

class TQtTimer : public ITimer {
 public:
  TQtTimer();
  void SetInterval(uint32_t ms) override;
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> onTimer) override { onTimer_ = std::move(onTimer); }

 private:
  void Restart();

  QTimer timer_;
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  std::function<void()> onTimer_;
};
