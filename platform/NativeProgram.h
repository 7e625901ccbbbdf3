#pragma once

// The program's native application with its platform services (Qt's on Linux, Win32's on
// Windows), for code that must not see the window system: created first in main() and kept
// until the end.

#include <memory>

#include "platform/PowerActions.h"
#include "platform/SingleInstance.h"

class TIcon;

class TNativeProgram {
 public:
  TNativeProgram(int& argc, char** argv, std::unique_ptr<IPowerActions> power);
  ~TNativeProgram();
  TNativeProgram(const TNativeProgram&) = delete;
  TNativeProgram& operator=(const TNativeProgram&) = delete;

  ISingleInstance& SingleInstance();
  // The icon desktops show for the program's windows.
  void SetWindowIcon(const TIcon& icon);

 private:
  struct TParts;
  std::unique_ptr<TParts> parts_;
};
