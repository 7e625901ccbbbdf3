#pragma once

// What the X server knows and Qt does not say. Off X11 (Wayland, the offscreen platform of
// the tests) every call answers as for a composited desktop and changes nothing.

#include <string>
#include <string_view>

class QWindow;

class TQtX11 {
 public:
  // True when a compositing manager owns the _NET_WM_CM_S<screen> selection, so that the
  // alpha of a window's pixels is shown; false only on an X server without one.
  static bool Composited();
  // Keeps `window` out of taskbars, task switchers and pagers (_NET_WM_STATE_SKIP_TASKBAR and
  // _NET_WM_STATE_SKIP_PAGER), or lets it back in. Call it before the window is mapped: the
  // window manager drops the states whenever the window is withdrawn.
  static void SetSkipTaskbar(QWindow& window, bool skip);
  // The Qt platform to ask for, from QT_QPA_PLATFORM, WAYLAND_DISPLAY and XDG_SESSION_TYPE:
  // xcb (XWayland) in a Wayland session unless another platform than Wayland was chosen, since
  // the program places its own windows and shapes their input, which Wayland keeps from
  // clients. Empty leaves the choice to Qt.
  static std::string PlatformFor(std::string_view chosen, std::string_view waylandDisplay,
                                 std::string_view sessionType);
};
