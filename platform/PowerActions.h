#pragma once

#include <iosfwd>
#include <memory>

enum TPowerAction : int { vxPowerShutdown, vxPowerOff, vxPowerReboot, vxPowerLogOff };

// "shutdown", "poweroff", "reboot" or "logoff".
const char* PowerActionWord(TPowerAction action);

// Starts a power action detached: it neither waits for nor examines the outcome, and a
// missing command is not reported.
class IPowerActions {
 public:
  virtual ~IPowerActions() = default;
  virtual void Issue(TPowerAction action) = 0;
};

// The host's own executor, or with `dryRun` one that only prints what it would run to `out`.
std::unique_ptr<IPowerActions> CreateSystemPowerActions(bool dryRun, std::ostream& out);
