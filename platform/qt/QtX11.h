#pragma once

// What the X server knows and Qt does not say. Off X11 (Wayland, the offscreen platform of
// the tests) every call answers as for a composited desktop and changes nothing.

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
};
