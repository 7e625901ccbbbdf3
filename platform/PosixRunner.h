#pragma once

#include "platform/LinuxPowerActions.h"

// Runs commands for real: a double fork leaves the program an orphan of init, so nothing
// waits for it and no zombie is left behind.
class TPosixRunner : public ISystemRunner {
 public:
  void Spawn(const std::vector<std::string>& argv) override;
  void KernelPowerOff() override;
};
