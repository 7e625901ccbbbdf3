// The tray icon component on the Windows shell: what it asks of the notification area
// arrives there, and what the shell sends comes back as the component's events.

#include <gtest/gtest.h>

#include "platform/win32/Win32NotifyArea.h"
#include "tray/TrayIcon.h"

namespace {

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

class Win32TrayIconTest : public testing::Test {
 protected:
  Win32TrayIconTest()
      : area([this](DWORD request, const NOTIFYICONDATAW& data) {
          requests.push_back(request);
          window = data.hWnd;
          return true;
        }),
        previous(InstallNotifyArea(&area)) {}
  ~Win32TrayIconTest() override { InstallNotifyArea(previous); }

  std::unique_ptr<TTrayIcon> ShownIcon() {
    auto icon = std::make_unique<TTrayIcon>(nullptr);
    icon->SetHint("翎川定时关机");
    icon->Icon()->AddImage({16, 16, std::vector<uint32_t>(256, 0xFF336699)});
    requests.clear();
    icon->AddIcon();
    return icon;
  }

  std::vector<DWORD> requests;
  HWND window = nullptr;
  TWin32NotifyArea area;
  INotifyArea* previous;
};

TEST_F(Win32TrayIconTest, TheIconComesBackWhenTheShellRestarts) {
  const auto icon = ShownIcon();
  ASSERT_TRUE(icon->Shown());
  requests.clear();
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  PumpMessages();
  // Removed first, then added with its tooltip.
  EXPECT_EQ(requests, (std::vector<DWORD>{NIM_DELETE, NIM_ADD, NIM_MODIFY}));
  EXPECT_TRUE(icon->Shown());
}

TEST_F(Win32TrayIconTest, ALeftClickOnTheIconIsAClickWithThePointer) {
  const auto icon = ShownIcon();
  std::vector<std::string> events;
  icon->OnClick =
      TMouseEvent([&events](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        events.push_back("click " + std::to_string(int(button)) + " " + std::to_string(shift) +
                         " " + std::to_string(x) + "," + std::to_string(y));
      });
  SetCursorPos(40, 30);
  POINT at{};
  GetCursorPos(&at);
  // Shift held at the time of delivery counts.
  INPUT shift{};
  shift.type = INPUT_KEYBOARD;
  shift.ki.wVk = VK_SHIFT;
  SendInput(1, &shift, sizeof shift);
  SendMessageW(window, TWin32NotifyArea::CallbackMessage(), 0, WM_LBUTTONDOWN);
  SendMessageW(window, TWin32NotifyArea::CallbackMessage(), 0, WM_LBUTTONUP);
  shift.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &shift, sizeof shift);
  PumpMessages();
  const std::string where = std::to_string(at.x) + "," + std::to_string(at.y);
  EXPECT_EQ(events, std::vector<std::string>{"click 0 " + std::to_string(ssShift) + " " + where});
  // A release whose press the icon did not see is no click.
  SendMessageW(window, TWin32NotifyArea::CallbackMessage(), 0, WM_LBUTTONUP);
  EXPECT_EQ(events.size(), 1u);
}

}  // namespace
