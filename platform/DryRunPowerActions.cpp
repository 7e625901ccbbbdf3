#include "platform/DryRunPowerActions.h"

#include <utility>

#include "platform/WindowsPowerActions.h"

TDryRunPowerActions::TDryRunPowerActions(std::ostream& out, TPowerCommandText commandText)
    : out_(out), commandText_(std::move(commandText)) {}

TDryRunPowerActions::TDryRunPowerActions(std::ostream& out, TLinuxSession session)
    : TDryRunPowerActions(out, [session = std::move(session)](TPowerAction action) {
        const TLinuxPowerCommand command = LinuxPowerCommand(action, session);
        return command.kernelPowerOff || !command.argv.empty() ? command.Text() : std::string();
      }) {}

std::unique_ptr<TDryRunPowerActions> TDryRunPowerActions::ForThisSystem(std::ostream& out) {
#ifdef _WIN32
  return std::make_unique<TDryRunPowerActions>(
      out, [](TPowerAction action) { return WindowsPowerCommand(action).Text(); });
#else
  return std::make_unique<TDryRunPowerActions>(out, TLinuxSession::Current());
#endif
}

void TDryRunPowerActions::Issue(TPowerAction action) {
  const std::string command = commandText_(action);
  if (command.empty()) return;
  out_ << "dry-run: " << PowerActionWord(action) << ' ' << command << std::endl;
}
