#include "platform/NativeProgram.h"

#include <gtest/gtest.h>

#include "platform/IconCodec.h"
#include "platform/MenuService.h"
#include "platform/NotifyArea.h"
#include "platform/Platform.h"
#include "platform/headless/PowerRecorder.h"
#include "platform/win32/Win32Windows.h"

namespace {

struct TSilentClient : IWindowClient {
  void HandleMessage(INativeWindow&, const TWindowMessage&) override {}
};

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

TIconImage Filled(int side) {
  return {side, side, std::vector<uint32_t>(size_t(side) * size_t(side), 0xFF204080)};
}

TEST(NativeProgram, InstallsEveryServiceForItsLifetime) {
  const PlatformServices before = InstallPlatform({});
  {
    int argc = 0;
    TNativeProgram program(argc, nullptr, std::make_unique<TPowerRecorder>());
    const PlatformServices& services = Platform();
    EXPECT_NE(services.windows, nullptr);
    EXPECT_NE(services.clipboard, nullptr);
    EXPECT_NE(NotifyArea(), nullptr);
    EXPECT_NE(IconCodec(), nullptr);
    EXPECT_NE(MenuService(), nullptr);
    EXPECT_FALSE(services.locale->Settings().ShortDateFormat.empty());
  }
  EXPECT_EQ(NotifyArea(), nullptr);
  EXPECT_EQ(IconCodec(), nullptr);
  EXPECT_THROW(Platform(), std::logic_error);
  InstallPlatform(before);
}

TEST(NativeProgram, WindowsShowTheProgramsIconOpenOrToCome) {
  int argc = 0;
  TNativeProgram program(argc, nullptr, std::make_unique<TPowerRecorder>());
  TSilentClient client;
  const auto early = Platform().windows->OpenWindow(client);
  TIcon icon;
  for (int side : {16, 24, 32, 48}) icon.AddImage(Filled(side));
  program.SetWindowIcon(icon);
  const auto late = Platform().windows->OpenWindow(client);
  for (const auto* window : {early.get(), late.get()}) {
    const HWND handle = static_cast<const TWin32Window*>(window)->Handle();
    const auto small = HICON(SendMessageW(handle, WM_GETICON, ICON_SMALL, 0));
    const auto big = HICON(SendMessageW(handle, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconWidth(big), GetSystemMetrics(SM_CXICON));
  }
}

}  // namespace
