#include "platform/PowerActions.h"

#include "platform/DryRunPowerActions.h"
#include "platform/LinuxPowerActions.h"
#include "platform/PosixRunner.h"
#include "platform/WindowsPowerActions.h"

namespace {

#ifndef _WIN32
// Owns the runner the Linux executor works through.
class TSystemLinuxPowerActions : public IPowerActions {
 public:
  TSystemLinuxPowerActions() : actions_(runner_, TLinuxSession::Current()) {}
  void Issue(TPowerAction action) override { actions_.Issue(action); }

 private:
  TPosixRunner runner_;
  TLinuxPowerActions actions_;
};
#endif

}  // namespace

const char* PowerActionWord(TPowerAction action) {
  switch (action) {
    case vxPowerShutdown:
      return "shutdown";
    case vxPowerOff:
      return "poweroff";
    case vxPowerReboot:
      return "reboot";
    case vxPowerLogOff:
      return "logoff";
  }
  return "";
}

std::unique_ptr<IPowerActions> CreateSystemPowerActions(bool dryRun, std::ostream& out) {
  if (dryRun) return TDryRunPowerActions::ForThisSystem(out);
#ifdef _WIN32
  return std::make_unique<TWindowsPowerActions>();
#else
  return std::make_unique<TSystemLinuxPowerActions>();
#endif
}
