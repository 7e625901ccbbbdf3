#include "platform/qt/QtClock.h"

#include <QDateTime>

TQtClock::TQtClock() {
  elapsed_.start();
}

TDateTime TQtClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return EncodeDate(date.year(), date.month(), date.day()) +
         EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

uint32_t TQtClock::TickCount() const {
  return static_cast<uint32_t>(elapsed_.elapsed());
}
