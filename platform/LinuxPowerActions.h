#pragma once

// Power actions on a systemd host: systemctl for shutdown and reboot, loginctl for log-off,
// and for the forced power-off the kernel's reboot call (as root) or systemctl ignoring
// inhibitors.

#include <string>
#include <vector>

#include "platform/PowerActions.h"

struct TLinuxSession {
  bool root = false;
  std::string sessionId;  // $XDG_SESSION_ID
  unsigned userId = 0;

  static TLinuxSession Current();
};

struct TLinuxPowerCommand {
  bool kernelPowerOff = false;    // sync, then reboot(RB_POWER_OFF)
  std::vector<std::string> argv;  // otherwise the program to start

  std::string Text() const;
};

TLinuxPowerCommand LinuxPowerCommand(TPowerAction action, const TLinuxSession& session);

// What actually runs a command; tests put a recording fake in its place.
class ISystemRunner {
 public:
  virtual ~ISystemRunner() = default;
  // Starts the program detached, without waiting for it.
  virtual void Spawn(const std::vector<std::string>& argv) = 0;
  virtual void KernelPowerOff() = 0;
};

class TLinuxPowerActions : public IPowerActions {
 public:
  TLinuxPowerActions(ISystemRunner& runner, TLinuxSession session);
  void Issue(TPowerAction action) override;

 private:
  ISystemRunner& runner_;
  TLinuxSession session_;
};
