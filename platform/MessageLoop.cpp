#include "platform/MessageLoop.h"

#include <thread>

namespace {

std::function<void()>& Pump() {
  static std::function<void()> pump;
  return pump;
}

}  // namespace

void ProcessMessagesAndYield() {
  if (Pump()) Pump()();
  std::this_thread::yield();
}

void SetMessagePump(std::function<void()> pump) {
  Pump() = std::move(pump);
}
