#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/LinuxPowerActions.h"

// What an action would issue, as a command line; empty for nothing.
using TPowerCommandText = std::function<std::string(TPowerAction)>;

// Prints "dry-run: <word> <command>" for each action and runs nothing.
class TDryRunPowerActions : public IPowerActions {
 public:
  TDryRunPowerActions(std::ostream& out, TPowerCommandText commandText);
  // The commands of a Linux session.
  TDryRunPowerActions(std::ostream& out, TLinuxSession session);
  // The commands this system's power actions issue.
  static std::unique_ptr<TDryRunPowerActions> ForThisSystem(std::ostream& out);

  void Issue(TPowerAction action) override;

 private:
  std::ostream& out_;
  TPowerCommandText commandText_;
};
