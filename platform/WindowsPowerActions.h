#pragma once

#include <string>

#include "platform/PowerActions.h"

// On Windows: shutdown.exe through the shell for the orderly actions; the forced power-off
// takes the shutdown privilege and calls the native shutdown directly.
struct TWindowsPowerCommand {
  bool nativePowerOff = false;  // RtlAdjustPrivilege, then ZwShutdownSystem(ShutdownNoReboot)
  std::string parameters;       // otherwise shutdown.exe's

  std::string Text() const;
};

// Empty parameters and no native power-off for an unknown action.
TWindowsPowerCommand WindowsPowerCommand(TPowerAction action);

#ifdef _WIN32
class TWindowsPowerActions : public IPowerActions {
 public:
  void Issue(TPowerAction action) override;
};
#endif
