#include "platform/win32/Win32MessageBox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

TEST(Win32MessageBox, ButtonSetsAndIconsPassAsGiven) {
  for (uint32_t buttons : {vxMsgOk, vxMsgOkCancel, vxMsgAbortRetryIgnore, vxMsgYesNoCancel,
                           vxMsgYesNo, vxMsgRetryCancel})
    EXPECT_EQ(TWin32MessageBox::NativeStyle(buttons, true), buttons);
  for (uint32_t icon : {vxMsgIconError, vxMsgIconQuestion, vxMsgIconWarning, vxMsgIconInformation})
    EXPECT_EQ(TWin32MessageBox::NativeStyle(vxMsgYesNo | icon, true), vxMsgYesNo | icon);
  EXPECT_EQ(uint32_t(vxMsgOkCancel), uint32_t(MB_OKCANCEL));
  EXPECT_EQ(uint32_t(vxMsgIconWarning), uint32_t(MB_ICONWARNING));
}

// Just past the last button set and icon: nothing a box of this program can show.
TEST(Win32MessageBox, UnknownBitsAreDropped) {
  EXPECT_EQ(TWin32MessageBox::NativeStyle(vxMsgRetryCancel + 1, true), uint32_t(MB_OK));
  EXPECT_EQ(TWin32MessageBox::NativeStyle(0x0F, true), uint32_t(MB_OK));
  EXPECT_EQ(TWin32MessageBox::NativeStyle(vxMsgIconInformation + 0x10, true), uint32_t(MB_OK));
  EXPECT_EQ(TWin32MessageBox::NativeStyle(MB_SERVICE_NOTIFICATION | MB_YESNO, true),
            uint32_t(MB_YESNO));
  EXPECT_EQ(TWin32MessageBox::NativeStyle(0xFFFFFFFF, true), uint32_t(MB_OK));
}

TEST(Win32MessageBox, BoxWithoutOwnerIsTaskModalAndInFront) {
  EXPECT_EQ(TWin32MessageBox::NativeStyle(vxMsgOk, false),
            uint32_t(MB_OK | MB_TASKMODAL | MB_SETFOREGROUND));
  EXPECT_FALSE(TWin32MessageBox::NativeStyle(vxMsgOk, true) & MB_TASKMODAL);
}

// A real box, answered by another thread as a user would click "No".
TEST(Win32MessageBox, ShowsTextAndCaptionAndAnswersTheButton) {
  std::atomic<bool> found{false};
  std::wstring text;
  std::thread user([&] {
    for (int i = 0; i < 200 && !found; ++i) {
      Sleep(25);
      const HWND box = FindWindowW(L"#32770", L"提示");
      if (!box) continue;
      wchar_t shown[64] = {};
      GetDlgItemTextW(box, 0xFFFF, shown, 64);
      text = shown;
      found = true;
      PostMessageW(box, WM_COMMAND, IDNO, 0);
    }
  });
  TWin32MessageBox box;
  const int answer = box.Show("预约时间间隔太短！", "提示", vxMsgYesNo | vxMsgIconQuestion);
  user.join();
  ASSERT_TRUE(found);
  EXPECT_EQ(answer, vxResultNo);
  EXPECT_EQ(text, L"预约时间间隔太短！");
}

}  // namespace
