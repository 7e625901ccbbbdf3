#pragma once

#include "platform/Clock.h"

// The system's local time and its millisecond tick count.
class TWin32Clock : public IClock {
 public:
  TDateTime Now() const override;
  uint32_t TickCount() const override;
};
