#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QEventLoop>

std::unique_ptr<ITimer> TQtEventLoop::CreateTimer() {
  return std::make_unique<TQtTimer>();
}

void TQtEventLoop::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void TQtEventLoop::ProcessMessages() {
  QCoreApplication::processEvents();
}

void TQtEventLoop::RunUntil(const std::function<bool()>& done) {
  while (!done() && !QCoreApplication::closingDown())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

TQtTimer::TQtTimer() {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    // A copy, because the callback may destroy this timer.
    std::function<void()> onTimer = onTimer_;
    if (onTimer) onTimer();
  });
}

void TQtTimer::SetInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void TQtTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TQtTimer::Restart() {
  timer_.stop();
  if (enabled_ && interval_ > 0)
    timer_.start(static_cast<int>(std::min<uint32_t>(interval_, INT32_MAX)));
}
