#pragma once

#include <cstdint>

#include "platform/DateTime.h"

class IClock {
 public:
  virtual ~IClock() = default;
  // Local wall-clock time.
  virtual TDateTime Now() const = 0;
  // Milliseconds from an arbitrary start, wrapping at 2^32; only differences mean anything.
  virtual uint32_t TickCount() const = 0;
};
