#include "platform/DryRunPowerActions.h"

#include <utility>

TDryRunPowerActions::TDryRunPowerActions(std::ostream& out, TLinuxSession session)
    : out_(out), session_(std::move(session)) {}

void TDryRunPowerActions::Issue(TPowerAction action) {
  const TLinuxPowerCommand command = LinuxPowerCommand(action, session_);
  if (!command.kernelPowerOff && command.argv.empty()) return;
  out_ << "dry-run: " << PowerActionWord(action) << ' ' << command.Text() << std::endl;
}
