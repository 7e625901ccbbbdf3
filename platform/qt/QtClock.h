#pragma once

#include <QElapsedTimer>

#include "platform/Clock.h"

class TQtClock : public IClock {
 public:
  TQtClock();
  TDateTime Now() const override;
  uint32_t TickCount() const override;

 private:
  QElapsedTimer elapsed_;
};
