#pragma once

// The program's Qt application with its services, for code that must not see Qt: created
// first in main() and kept until the end.

#include <memory>
#include <string>
#include <string_view>

#include "platform/PowerActions.h"
#include "platform/SingleInstance.h"

class TIcon;

class TQtProgram {
 public:
  TQtProgram(int& argc, char** argv, std::unique_ptr<IPowerActions> power);
  ~TQtProgram();
  TQtProgram(const TQtProgram&) = delete;
  TQtProgram& operator=(const TQtProgram&) = delete;

  // The Qt platform to ask for, from QT_QPA_PLATFORM, WAYLAND_DISPLAY and XDG_SESSION_TYPE:
  // xcb (XWayland) in a Wayland session unless another platform than Wayland was chosen, since
  // the program places its own windows and shapes their input, which Wayland keeps from
  // clients. Empty leaves the choice to Qt.
  static std::string PlatformFor(std::string_view chosen, std::string_view waylandDisplay,
                                 std::string_view sessionType);

  ISingleInstance& SingleInstance();
  // The icon desktops show for the program's windows.
  void SetWindowIcon(const TIcon& icon);

 private:
  struct TParts;
  std::unique_ptr<TParts> parts_;
};
