#include "platform/win32/Win32Clock.h"

#include <windows.h>

TDateTime TWin32Clock::Now() const {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return EncodeDate(now.wYear, now.wMonth, now.wDay) +
         EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

uint32_t TWin32Clock::TickCount() const {
  return GetTickCount();
}
