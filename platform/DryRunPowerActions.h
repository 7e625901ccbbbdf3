#pragma once

#include <ostream>

#include "platform/LinuxPowerActions.h"

// Prints "dry-run: <word> <command>" for each action and runs nothing.
class TDryRunPowerActions : public IPowerActions {
 public:
  TDryRunPowerActions(std::ostream& out, TLinuxSession session);
  void Issue(TPowerAction action) override;

 private:
  std::ostream& out_;
  TLinuxSession session_;
};
