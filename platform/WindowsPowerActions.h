#pragma once

#ifdef _WIN32

#include "platform/PowerActions.h"

// shutdown.exe through the shell for the orderly actions; the forced power-off takes the
// shutdown privilege and calls the native shutdown directly.
class TWindowsPowerActions : public IPowerActions {
 public:
  void Issue(TPowerAction action) override;
};

#endif
