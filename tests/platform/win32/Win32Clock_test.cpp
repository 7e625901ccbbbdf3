#include "platform/win32/Win32Clock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

namespace {

TEST(Win32Clock, NowIsTheLocalTime) {
  const TWin32Clock clock;
  SYSTEMTIME local;
  GetLocalTime(&local);
  const TDateTime expected = EncodeDate(local.wYear, local.wMonth, local.wDay) +
                             EncodeTime(local.wHour, local.wMinute, local.wSecond, 0);
  EXPECT_NEAR(clock.Now(), expected, 5.0 / 86400);
}

TEST(Win32Clock, TickCountCountsMilliseconds) {
  const TWin32Clock clock;
  const uint32_t before = clock.TickCount();
  EXPECT_LE(uint32_t(GetTickCount() - before), 20u);
  Sleep(100);
  const uint32_t elapsed = clock.TickCount() - before;
  EXPECT_GE(elapsed, 50u);
  EXPECT_LT(elapsed, 2000u);
}

}  // namespace
