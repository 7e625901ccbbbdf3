#pragma once

// What the figure programs read of their own process, and how they let it run.

#include <functional>

// Milliseconds since the figure script started this process (it passes its clock reading in
// LC_LAUNCH_NS); -1 without it.
double MsSinceLaunch();
// The process's resident memory in MB.
double ResidentMb();
// User and system CPU time the process has used, in ms.
double CpuMs();
// Handles messages until `done`, giving up after `seconds`.
void Await(const std::function<bool()>& done, double seconds);
// Handles messages for `seconds`.
void RunFor(double seconds);
// Handles what is pending a few times, so that a posted drawing reaches the window and the
// window system shows it.
void Settle();
