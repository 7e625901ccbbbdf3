#pragma once

// Wine's GDI+ writes what real GDI+ does only in part: its encoders take no parameters and its
// GIF encoder writes no pixels. Tests of those say so and skip under wine.

#include <windows.h>

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
