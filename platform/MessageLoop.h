#pragma once

// Waiting in place: code that must wait for something the message loop brings (an animation
// to finish) runs the pending messages and timers, then lets other processes run.

#include <functional>

void ProcessMessagesAndYield();
// The platform installs how pending messages are run; without one, waiting only yields.
void SetMessagePump(std::function<void()> pump);
