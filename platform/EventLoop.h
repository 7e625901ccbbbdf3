#pragma once

#include <functional>
#include <memory>

#include "platform/Timer.h"

class IEventLoop {
 public:
  virtual ~IEventLoop() = default;
  virtual std::unique_ptr<ITimer> CreateTimer() = 0;
  // Runs the task later on the user-interface thread.
  virtual void Post(std::function<void()> task) = 0;
  // Handles what is pending now, then returns; for the places that wait in place.
  virtual void ProcessMessages() = 0;
  // Handles messages, waiting for them as needed, until `done` answers true: the main loop
  // and the loops of modal windows. Returns early when nothing is left that could make it
  // true (the application quits, or a virtual clock has no timer left).
  virtual void RunUntil(const std::function<bool()>& done) = 0;
};
