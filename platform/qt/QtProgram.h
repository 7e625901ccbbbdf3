#pragma once

// The program's Qt application with its services, for code that must not see Qt: created
// first in main() and kept until the end.

#include <memory>

#include "platform/PowerActions.h"
#include "platform/SingleInstance.h"

class TIcon;

class TQtProgram {
 public:
  TQtProgram(int& argc, char** argv, std::unique_ptr<IPowerActions> power);
  ~TQtProgram();
  TQtProgram(const TQtProgram&) = delete;
  TQtProgram& operator=(const TQtProgram&) = delete;

  ISingleInstance& SingleInstance();
  // The icon desktops show for the program's windows.
  void SetWindowIcon(const TIcon& icon);

 private:
  struct TParts;
  std::unique_ptr<TParts> parts_;
};
