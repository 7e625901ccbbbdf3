#pragma once

// Device pixels per logical pixel. The process asks to be per-monitor DPI aware (version 2
// where the system has it), so window coordinates are device pixels and each window scales
// by the DPI of its own monitor. The calls of newer systems are looked up by name, so the
// program still starts on systems without them (and is then scaled by the system).

#include <windows.h>

class TWin32Dpi {
 public:
  // Once per process, before the first window is made.
  static void BecomeAware();
  // The ratio of the monitor `window` is on.
  static float RatioOf(HWND window);
  // The ratio of the primary screen, for screen points that belong to no window.
  static float SystemRatio();
  // The ratio a WM_DPICHANGED message announces.
  static float RatioOfDpi(UINT dpi) { return float(dpi) / float(USER_DEFAULT_SCREEN_DPI); }
};
