#include "platform/win32/Win32NotifyArea.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Win32IconHandle.h"

namespace {

struct TShellRecord {
  DWORD request;
  NOTIFYICONDATAW data;
};

TIconImage Filled(int side, uint32_t pixel) {
  return {side, side, std::vector<uint32_t>(size_t(side) * size_t(side), pixel)};
}

// The icon's colour pixels as straight ARGB words, rows top to bottom, and its width.
std::vector<uint32_t> IconPixels(HICON icon, int* width = nullptr) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  BITMAPINFO format{};
  format.bmiHeader = {
      sizeof format.bmiHeader, bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint32_t> pixels(size_t(bitmap.bmWidth) * size_t(bitmap.bmHeight));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, UINT(bitmap.bmHeight), pixels.data(), &format,
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (width) *width = bitmap.bmWidth;
  return pixels;
}

int IconWidth(HICON icon) {
  int width = 0;
  IconPixels(icon, &width);
  return width;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// A shell that records every request and answers as told.
class Win32NotifyAreaTest : public testing::Test {
 protected:
  Win32NotifyAreaTest()
      : area([this](DWORD request, const NOTIFYICONDATAW& data) {
          records.push_back({request, data});
          if (duringRequest) duringRequest(data);
          return request == NIM_ADD ? addSucceeds : request != NIM_MODIFY || modifySucceeds;
        }) {}

  std::unique_ptr<INotifyChannel> Channel() {
    return area.CreateChannel(
        {[this](const TNotifyMouse& mouse) { mice.push_back(mouse); }, [this] { ++restarts; }});
  }

  TNotifyIconData Icon(const std::string& tip = "tip") const {
    return {tip, {Filled(16, 0xFF336699), Filled(32, 0xFF996633)}};
  }

  std::vector<TShellRecord> records;
  std::function<void(const NOTIFYICONDATAW&)> duringRequest;
  bool addSucceeds = true;
  bool modifySucceeds = true;
  std::vector<TNotifyMouse> mice;
  int restarts = 0;
  TWin32NotifyArea area;
};

TEST_F(Win32NotifyAreaTest, AddHandsTheShellTheIconTipAndCallbackMessage) {
  auto channel = Channel();
  EXPECT_TRUE(channel->Add(Icon("翎川定时关机")));
  ASSERT_EQ(records.size(), 1u);
  const NOTIFYICONDATAW& data = records[0].data;
  EXPECT_EQ(records[0].request, DWORD(NIM_ADD));
  EXPECT_EQ(data.cbSize, sizeof(NOTIFYICONDATAW));
  EXPECT_TRUE(IsWindow(data.hWnd));
  EXPECT_FALSE(IsWindowVisible(data.hWnd));
  EXPECT_EQ(data.uID, 0u);
  EXPECT_EQ(data.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(data.uCallbackMessage, RegisterWindowMessageW(L"TrayIconCallback"));
  EXPECT_EQ(std::wstring(data.szTip), L"翎川定时关机");
  const int small = GetSystemMetrics(SM_CXSMICON);
  EXPECT_EQ(IconWidth(data.hIcon), std::abs(small - 16) < std::abs(small - 32) ? 16 : 32);
}

TEST_F(Win32NotifyAreaTest, ModifyAndDeleteAddressTheSameIcon) {
  auto channel = Channel();
  channel->Add(Icon());
  channel->Modify(Icon("changed"));
  channel->Delete();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].request, DWORD(NIM_MODIFY));
  EXPECT_EQ(std::wstring(records[1].data.szTip), L"changed");
  EXPECT_EQ(records[2].request, DWORD(NIM_DELETE));
  for (const TShellRecord& record : records) {
    EXPECT_EQ(record.data.hWnd, records[0].data.hWnd);
    EXPECT_EQ(record.data.uID, 0u);
  }
  // Deleted already: going away asks nothing more.
  channel.reset();
  EXPECT_EQ(records.size(), 3u);
}

TEST_F(Win32NotifyAreaTest, AChannelGoingAwayTakesItsShownIconAlong) {
  auto channel = Channel();
  channel->Add(Icon());
  const HWND window = records[0].data.hWnd;
  channel.reset();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].request, DWORD(NIM_DELETE));
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Win32NotifyAreaTest, AFailedAddIsAskedAboutOnceMore) {
  auto channel = Channel();
  addSucceeds = false;
  // A shell past its time limit added the icon all the same: the modify finds it.
  EXPECT_TRUE(channel->Add(Icon()));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].request, DWORD(NIM_MODIFY));
  modifySucceeds = false;
  EXPECT_FALSE(channel->Add(Icon()));
  // Not shown: going away deletes nothing.
  records.clear();
  channel.reset();
  EXPECT_TRUE(records.empty());
}

TEST_F(Win32NotifyAreaTest, TipsAreCutToTheRecordWithoutSplittingACharacter) {
  auto channel = Channel();
  const size_t room = std::size(NOTIFYICONDATAW{}.szTip) - 1;
  channel->Add(Icon(std::string(room, 'a')));
  EXPECT_EQ(std::wstring(records.back().data.szTip).size(), room);
  channel->Modify(Icon(std::string(room + 1, 'a')));
  EXPECT_EQ(std::wstring(records.back().data.szTip), std::wstring(room, L'a'));
  // A character outside the basic plane takes two units; it goes whole or not at all.
  channel->Modify(Icon(std::string(room - 1, 'a') + "😀"));
  EXPECT_EQ(std::wstring(records.back().data.szTip), std::wstring(room - 1, L'a'));
  channel->Modify(Icon(std::string(room - 2, 'a') + "😀"));
  EXPECT_EQ(std::wstring(records.back().data.szTip), std::wstring(room - 2, L'a') + L"😀");
}

TEST_F(Win32NotifyAreaTest, BalloonsCarryTitleTextFlagsTimeoutAndIcon) {
  auto channel = Channel();
  EXPECT_TRUE(channel->BalloonsSupported());
  channel->Add(Icon());
  channel->ShowBalloon({"定时关机提示", "text", niifWarning, 10, {Filled(16, 0xFFFF0000)}});
  const NOTIFYICONDATAW& data = records.back().data;
  EXPECT_EQ(records.back().request, DWORD(NIM_MODIFY));
  EXPECT_EQ(data.uFlags, UINT(NIF_INFO | NIF_ICON));
  EXPECT_EQ(std::wstring(data.szInfoTitle), L"定时关机提示");
  EXPECT_EQ(std::wstring(data.szInfo), L"text");
  EXPECT_EQ(data.uTimeout, 10u);  // the shell applies its own limits
  EXPECT_EQ(data.dwInfoFlags, DWORD(NIIF_WARNING));
  EXPECT_EQ(IconPixels(data.hIcon)[0], 0xFFFF0000u);

  channel->ShowBalloon({"t", "x", niifError, 30000, {}});
  EXPECT_EQ(records.back().data.uFlags, UINT(NIF_INFO));
  EXPECT_EQ(records.back().data.dwInfoFlags, DWORD(NIIF_ERROR));
  EXPECT_EQ(records.back().data.uTimeout, 30000u);
}

TEST_F(Win32NotifyAreaTest, BalloonTitlesAndTextsFitTheirRecord) {
  auto channel = Channel();
  const size_t titleRoom = std::size(NOTIFYICONDATAW{}.szInfoTitle) - 1;
  const size_t textRoom = std::size(NOTIFYICONDATAW{}.szInfo) - 1;
  std::string title;
  for (size_t i = 0; i < titleRoom; ++i) title += "😀";  // twice the room in units
  channel->ShowBalloon({title, std::string(textRoom + 1, 'x'), niifInfo, 0, {}});
  const std::wstring shownTitle = records.back().data.szInfoTitle;
  EXPECT_EQ(shownTitle.size(), titleRoom - 1);  // whole pairs only
  EXPECT_TRUE(IS_HIGH_SURROGATE(shownTitle[shownTitle.size() - 2]));
  EXPECT_EQ(std::wstring(records.back().data.szInfo), std::wstring(textRoom, L'x'));
}

TEST_F(Win32NotifyAreaTest, IconsUseTheImageClosestToTheSize) {
  const std::vector<TIconImage> images{Filled(12, 0xFF000012), Filled(20, 0xFF000020)};
  // A tie takes the larger image, a closer one wins.
  EXPECT_EQ(IconWidth(TWin32IconHandle::FromImages(images, 16).Get()), 20);
  EXPECT_EQ(IconWidth(TWin32IconHandle::FromImages(images, 15).Get()), 12);
  const TWin32IconHandle icon = TWin32IconHandle::FromImages(images, 17);
  EXPECT_EQ(IconPixels(icon.Get()), Filled(20, 0xFF000020).pixels);
  // Images whose pixels do not match their size are passed over.
  EXPECT_FALSE(TWin32IconHandle::FromImages({{4, 4, {1, 2}}}, 16));
  EXPECT_FALSE(TWin32IconHandle::FromImages({}, 16));
  const TIconImage translucent{2, 1, {0x80FF8040, 0x00000000}};
  EXPECT_EQ(IconPixels(TWin32IconHandle::FromImage(translucent).Get()), translucent.pixels);
}

TEST_F(Win32NotifyAreaTest, MouseMessagesReachTheCallbackWithTheCursor) {
  auto channel = Channel();
  channel->Add(Icon());
  const HWND window = records[0].data.hWnd;
  const UINT callback = records[0].data.uCallbackMessage;
  SetCursorPos(123, 45);
  POINT cursor{};
  GetCursorPos(&cursor);
  for (UINT message = WM_MOUSEFIRST - 1; message <= WM_MBUTTONDBLCLK + 1; ++message)
    SendMessageW(window, callback, 0, LPARAM(message));
  SendMessageW(window, callback, 0, LPARAM(NIN_BALLOONSHOW));
  // Only the shell's ten mouse messages, in order.
  ASSERT_EQ(mice.size(), 10u);
  for (size_t i = 0; i < mice.size(); ++i) {
    EXPECT_EQ(mice[i].message, nmMouseMove + i);
    EXPECT_EQ(mice[i].x, cursor.x);
    EXPECT_EQ(mice[i].y, cursor.y);
  }
  EXPECT_EQ(mice[3].message, uint32_t(nmLButtonDblClk));
  EXPECT_EQ(mice[9].message, uint32_t(nmMButtonDblClk));
}

TEST_F(Win32NotifyAreaTest, ARestartedShellIsReported) {
  auto channel = Channel();
  channel->Add(Icon());
  SendMessageW(records[0].data.hWnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(restarts, 1);
  // The shell broadcasts it; hidden top-level windows hear broadcasts.
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  PumpMessages();
  EXPECT_EQ(restarts, 2);
}

TEST_F(Win32NotifyAreaTest, CallbacksArrivingDuringARequestWaitForItsEnd) {
  auto channel = Channel();
  int seenDuring = -1;
  duringRequest = [this, &seenDuring](const NOTIFYICONDATAW& data) {
    if (data.uFlags & NIF_INFO) {
      SendMessageW(data.hWnd, TWin32NotifyArea::CallbackMessage(), 0, WM_LBUTTONUP);
      SendMessageW(data.hWnd, TWin32NotifyArea::TaskbarCreatedMessage(), 0, 0);
      seenDuring = int(mice.size()) + restarts;
    }
  };
  channel->Add(Icon());
  channel->ShowBalloon({"t", "x", niifInfo, 0, {}});
  EXPECT_EQ(seenDuring, 0);
  EXPECT_TRUE(mice.empty());
  PumpMessages();
  ASSERT_EQ(mice.size(), 1u);
  EXPECT_EQ(mice[0].message, uint32_t(nmLButtonUp));
  EXPECT_EQ(restarts, 1);
}

TEST_F(Win32NotifyAreaTest, AHandlerMayFreeItsChannel) {
  std::unique_ptr<INotifyChannel> channel = area.CreateChannel(
      {[&channel](const TNotifyMouse&) { channel.reset(); }, [&channel] { channel.reset(); }});
  channel->Add(Icon());
  const HWND window = records[0].data.hWnd;
  SendMessageW(window, TWin32NotifyArea::CallbackMessage(), 0, WM_RBUTTONUP);
  EXPECT_EQ(channel, nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(records.back().request, DWORD(NIM_DELETE));
}

TEST(Win32NotifyArea, TheShellTakesTheIconAndLetsItGo) {
  // Wine's shell answers through its own notification area, as the Windows taskbar does.
  TWin32NotifyArea area;
  auto channel = area.CreateChannel({});
  EXPECT_TRUE(channel->Add({"tip", {Filled(16, 0xFF00FF00)}}));
  channel->Modify({"other", {Filled(16, 0xFF0000FF)}});
  channel->ShowBalloon({"title", "text", niifInfo, 10000, {}});
  channel->Delete();
}

}  // namespace
