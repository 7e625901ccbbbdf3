#include "platform/win32/Win32Dpi.h"

namespace {

template <class F>
F UserCall(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? UINT(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

void TWin32Dpi::BecomeAware() {
  static const bool done = [] {
    using TSetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (const auto set = UserCall<TSetContext>("SetProcessDpiAwarenessContext")) {
      if (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return true;
      if (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) return true;
    }
    return SetProcessDPIAware() != 0;
  }();
  (void)done;
}

float TWin32Dpi::RatioOf(HWND window) {
  using TDpiForWindow = UINT(WINAPI*)(HWND);
  static const auto forWindow = UserCall<TDpiForWindow>("GetDpiForWindow");
  const UINT dpi = forWindow && window ? forWindow(window) : 0;
  return RatioOfDpi(dpi ? dpi : ScreenDpi());
}

float TWin32Dpi::SystemRatio() {
  using TDpiForSystem = UINT(WINAPI*)();
  static const auto forSystem = UserCall<TDpiForSystem>("GetDpiForSystem");
  return RatioOfDpi(forSystem ? forSystem() : ScreenDpi());
}
