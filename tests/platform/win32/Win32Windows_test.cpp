#include "platform/win32/Win32Windows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Win32EventLoop.h"

namespace {

using Kind = TWindowMessage::Kind;

class TRecordingClient : public IWindowClient {
 public:
  void HandleMessage(INativeWindow&, const TWindowMessage& message) override {
    messages.push_back(message);
    if (onMessage) onMessage(message);
  }
  std::vector<TWindowMessage> messages;
  std::function<void(const TWindowMessage&)> onMessage;
};

bool RunningOnWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

LONG_PTR StyleOf(const TWin32Window& window) {
  return GetWindowLongPtrW(window.Handle(), GWL_STYLE);
}

LONG_PTR ExStyleOf(const TWin32Window& window) {
  return GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE);
}

int menuCommands = 0;

LRESULT CALLBACK CountMenuCommands(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (sent->message == WM_SYSCOMMAND && (sent->wParam & 0xFFF0) == SC_KEYMENU) ++menuCommands;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

// A left click at a screen point, as the user's mouse makes it.
void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
}

// A frame of one colour, `width` x `height`.
struct TSolidFrame {
  TSolidFrame(int width, int height, uint32_t argb)
      : pixels(size_t(width) * size_t(height), argb), width(width), height(height) {}
  TPixelFrame Frame() const { return {pixels.data(), width, height, width * 4, 1}; }
  std::vector<uint32_t> pixels;
  int width, height;
};

class Win32Windows : public testing::Test {
 protected:
  // Lets the window system deliver what the calls so far have queued.
  void Settle(int rounds = 5) {
    for (int i = 0; i < rounds; ++i) {
      loop_.ProcessMessages();
      Sleep(20);
    }
  }

  // A shown borderless window at (left, top).
  std::unique_ptr<TWin32Window> Shown(int left, int top, int width, int height) {
    auto window = std::make_unique<TWin32Window>(client_);
    window->SetFrameless(true);
    window->SetBounds({left, top, width, height});
    window->SetVisible(true);
    Settle();
    return window;
  }

  TWin32WindowSystem system_;
  TWin32EventLoop loop_;
  TRecordingClient client_;
};

TEST_F(Win32Windows, WindowSystemOpensHiddenFramedWindows) {
  const auto opened = system_.OpenWindow(client_);
  auto& window = static_cast<TWin32Window&>(*opened);
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_FALSE(window.Visible());
  EXPECT_EQ(StyleOf(window) & WS_CAPTION, WS_CAPTION);
  EXPECT_FLOAT_EQ(window.DevicePixelRatio(), float(GetDpiForWindow(window.Handle())) / 96);
}

TEST_F(Win32Windows, FramelessSwitchesTheCaptionAndKeepsTheClientArea) {
  TWin32Window window(client_);
  window.SetBounds({100, 120, 200, 80});
  window.SetFrameless(true);
  EXPECT_EQ(StyleOf(window) & WS_CAPTION, 0);
  EXPECT_TRUE(StyleOf(window) & WS_POPUP);
  EXPECT_EQ(window.Bounds(), (TBoundsI{100, 120, 200, 80}));
  window.SetFrameless(false);
  EXPECT_EQ(StyleOf(window) & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(StyleOf(window) & WS_POPUP);
  EXPECT_EQ(window.Bounds(), (TBoundsI{100, 120, 200, 80}));
}

TEST_F(Win32Windows, BoundsAreTheClientAreaInScreenPixels) {
  TWin32Window framed(client_);
  framed.SetBounds({50, 60, 300, 200});
  RECT client;
  GetClientRect(framed.Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(framed.Handle(), &origin);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(origin.x, 50);
  EXPECT_EQ(origin.y, 60);
  const auto borderless = Shown(30, 40, 120, 90);
  RECT outer;
  GetWindowRect(borderless->Handle(), &outer);
  EXPECT_EQ(outer.left, 30);
  EXPECT_EQ(outer.top, 40);
  EXPECT_EQ(outer.right - outer.left, 120);
  EXPECT_EQ(outer.bottom - outer.top, 90);
  EXPECT_EQ(borderless->ClientToScreen({5, 7}), (TPointI{35, 47}));
}

TEST_F(Win32Windows, ToolWindowHasNoTaskbarButtonStyle) {
  const auto window = Shown(10, 10, 50, 50);
  window->SetToolWindow(true);
  EXPECT_TRUE(ExStyleOf(*window) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ExStyleOf(*window) & WS_EX_APPWINDOW);
  EXPECT_TRUE(window->Visible());
  window->SetToolWindow(false);
  EXPECT_FALSE(ExStyleOf(*window) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(window->Visible());
}

TEST_F(Win32Windows, TransparentWindowIsLayeredOnlyWhileTransparent) {
  TWin32Window window(client_);
  window.SetTransparent(true);
  EXPECT_TRUE(ExStyleOf(window) & WS_EX_LAYERED);
  window.SetTransparent(false);
  EXPECT_FALSE(ExStyleOf(window) & WS_EX_LAYERED);
}

TEST_F(Win32Windows, VisibilityFollowsSetVisible) {
  TWin32Window window(client_);
  window.SetFrameless(true);
  window.SetBounds({20, 20, 40, 40});
  window.SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(window.Visible());
  window.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_FALSE(window.Visible());
}

TEST_F(Win32Windows, TopmostWithoutMovingOrSizing) {
  const auto window = Shown(70, 80, 60, 50);
  EXPECT_FALSE(ExStyleOf(*window) & WS_EX_TOPMOST);
  window->MakeTopmost();
  EXPECT_TRUE(ExStyleOf(*window) & WS_EX_TOPMOST);
  EXPECT_EQ(window->Bounds(), (TBoundsI{70, 80, 60, 50}));
}

TEST_F(Win32Windows, MinimizedWhileShownAndRememberedWhileHidden) {
  const auto window = Shown(10, 10, 80, 60);
  window->SetMinimized(true);
  Settle();
  EXPECT_TRUE(IsIconic(window->Handle()));
  EXPECT_TRUE(window->Minimized());
  EXPECT_EQ(window->Bounds(), (TBoundsI{10, 10, 80, 60}));
  window->SetMinimized(false);
  Settle();
  EXPECT_FALSE(window->Minimized());
  window->SetVisible(false);
  window->SetMinimized(true);
  EXPECT_TRUE(window->Minimized());
  EXPECT_FALSE(window->Visible());
}

TEST_F(Win32Windows, PopupIsTopmostAndNeverActivated) {
  const auto owner = Shown(10, 10, 100, 100);
  owner->Activate();
  Settle();
  ASSERT_EQ(GetForegroundWindow(), owner->Handle());
  TWin32Window popup(client_);
  popup.SetPopup(false);
  popup.SetBounds({40, 40, 50, 30});
  popup.SetVisible(true);
  Settle();
  EXPECT_TRUE(popup.Visible());
  EXPECT_EQ(GetForegroundWindow(), owner->Handle());
  EXPECT_TRUE(ExStyleOf(popup) & WS_EX_TOPMOST);
  EXPECT_TRUE(ExStyleOf(popup) & WS_EX_NOACTIVATE);
  EXPECT_TRUE(ExStyleOf(popup) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(StyleOf(popup) & WS_CAPTION, 0);
  const LRESULT activation = SendMessageW(popup.Handle(), WM_MOUSEACTIVATE, WPARAM(owner->Handle()),
                                          MAKELPARAM(HTCLIENT, 0));
  EXPECT_EQ(activation, MA_NOACTIVATE);
  EXPECT_EQ(popup.Bounds(), (TBoundsI{40, 40, 50, 30}));
}

TEST_F(Win32Windows, ActivateBringsTheWindowToTheForeground) {
  const auto first = Shown(10, 10, 60, 60);
  const auto second = Shown(100, 10, 60, 60);
  first->Activate();
  Settle();
  EXPECT_EQ(GetForegroundWindow(), first->Handle());
  second->SetVisible(false);
  second->Activate();
  Settle();
  EXPECT_TRUE(second->Visible());
  EXPECT_EQ(GetForegroundWindow(), second->Handle());
}

TEST_F(Win32Windows, PresentedFrameIsShownOnScreen) {
  const auto window = Shown(200, 150, 40, 30);
  const TSolidFrame blue(40, 30, 0xFF0000FF);
  window->Present(blue.Frame(), {});
  UpdateWindow(window->Handle());
  Settle();
  EXPECT_EQ(window->Frame().PixelAt(39, 29), 0xFF0000FFu);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 220, 165), RGB(0, 0, 255));
  ReleaseDC(nullptr, screen);
}

TEST_F(Win32Windows, DirtyRectanglesCopyOnlyTheirPixels) {
  const auto window = Shown(10, 10, 4, 4);
  const TSolidFrame red(4, 4, 0xFFFF0000);
  const TSolidFrame green(4, 4, 0xFF00FF00);
  window->Present(red.Frame(), {});
  const TBoundsI corner[] = {{2, 2, 5, 5}};  // reaches past the frame: clipped
  window->Present(green.Frame(), corner);
  EXPECT_EQ(window->Frame().PixelAt(1, 1), 0xFFFF0000u);
  EXPECT_EQ(window->Frame().PixelAt(3, 3), 0xFF00FF00u);
}

TEST_F(Win32Windows, TransparentWindowShowsItsFrameWithAlpha) {
  const auto window = Shown(300, 200, 20, 20);
  window->SetTransparent(true);
  TSolidFrame frame(20, 20, 0);  // clear, with an opaque red left half
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x) frame.pixels[size_t(y * 20 + x)] = 0xFFFF0000;
  window->Present(frame.Frame(), {});
  Settle();
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 305, 210), RGB(255, 0, 0));
  ReleaseDC(nullptr, screen);
  POINT opaque{305, 210}, clear{315, 210};
  EXPECT_EQ(WindowFromPoint(opaque), window->Handle());
  // Windows leaves presses on fully transparent pixels to the windows below; wine's layered
  // windows take presses on their whole rectangle.
  if (RunningOnWine()) GTEST_SKIP() << "wine does not hit-test the alpha of layered windows";
  EXPECT_NE(WindowFromPoint(clear), window->Handle());
}

TEST_F(Win32Windows, MessagesPassFiltersThenHooksThenTheClient) {
  const auto window = Shown(10, 10, 100, 100);
  std::vector<std::string> order;
  const int filter = AddMessageFilter([&](INativeWindow& target, const TWindowMessage& m) {
    if (&target == window.get() && m.kind == Kind::MouseDown) order.push_back("filter");
    return false;
  });
  const int hook = AddMessageHook([&](INativeWindow& target, const TWindowMessage& m) {
    if (&target == window.get() && m.kind == Kind::MouseDown) order.push_back("hook");
  });
  client_.onMessage = [&](const TWindowMessage& m) {
    if (m.kind == Kind::MouseDown) order.push_back("client");
  };
  PostMessageW(window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(12, 34));
  loop_.ProcessMessages();
  RemoveMessageHook(hook);
  RemoveMessageFilter(filter);
  EXPECT_EQ(order, (std::vector<std::string>{"filter", "hook", "client"}));
  const TWindowMessage& down = client_.messages.back();
  EXPECT_EQ(down.button, TMouseButton::mbLeft);
  EXPECT_EQ(down.x, 12);
  EXPECT_EQ(down.y, 34);
  EXPECT_EQ(down.shift & (ssLeft | ssShift), ssLeft | ssShift);
}

TEST_F(Win32Windows, FilterThatTakesAMessageKeepsItFromHooksAndClient) {
  const auto window = Shown(10, 10, 100, 100);
  int hooked = 0;
  const int filter = AddMessageFilter(
      [](INativeWindow&, const TWindowMessage& m) { return m.kind == Kind::MouseUp; });
  const int hook = AddMessageHook(
      [&](INativeWindow&, const TWindowMessage& m) { hooked += m.kind == Kind::MouseUp; });
  client_.messages.clear();
  SendMessageW(window->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(1, 1));
  RemoveMessageHook(hook);
  RemoveMessageFilter(filter);
  EXPECT_EQ(hooked, 0);
  EXPECT_TRUE(client_.messages.empty());
}

TEST_F(Win32Windows, MouseMessagesBecomeWindowMessages) {
  const auto window = Shown(10, 10, 200, 200);
  const HWND h = window->Handle();
  client_.messages.clear();
  SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(5, 6));
  SendMessageW(h, WM_MBUTTONUP, 0, MAKELPARAM(7, 8));
  SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(9, 10));
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(11, 12));
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  // The wheel tells the screen point: (60, 70) is (50, 60) in the client area.
  SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-240)), MAKELPARAM(60, 70));
  ASSERT_EQ(client_.messages.size(), 6u);
  const auto& m = client_.messages;
  EXPECT_EQ(m[0].kind, Kind::MouseDown);
  EXPECT_EQ(m[0].button, TMouseButton::mbRight);
  EXPECT_EQ(m[0].shift & (ssRight | ssCtrl), ssRight | ssCtrl);
  EXPECT_EQ(m[1].kind, Kind::MouseUp);
  EXPECT_EQ(m[1].button, TMouseButton::mbMiddle);
  EXPECT_EQ(m[2].kind, Kind::DoubleClick);
  EXPECT_EQ(m[2].x, 9);
  EXPECT_EQ(m[3].kind, Kind::MouseMove);
  EXPECT_EQ(m[3].y, 12);
  EXPECT_EQ(m[4].kind, Kind::MouseLeave);
  EXPECT_EQ(m[5].kind, Kind::Wheel);
  EXPECT_EQ(m[5].wheelDelta, -240);
  EXPECT_EQ(m[5].x, 50);
  EXPECT_EQ(m[5].y, 60);
}

TEST_F(Win32Windows, WindowClassTakesDoubleClicks) {
  const TWin32Window window(client_);
  EXPECT_TRUE(GetClassLongPtrW(window.Handle(), GCL_STYLE) & CS_DBLCLKS);
}

TEST_F(Win32Windows, KeysAndCharactersBecomeWindowMessages) {
  const auto window = Shown(10, 10, 50, 50);
  const HWND h = window->Handle();
  client_.messages.clear();
  SendMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageW(h, WM_KEYUP, VK_F4, 0);
  SendMessageW(h, WM_KEYDOWN, VK_PROCESSKEY, 0);  // the input method's: not a key
  SendMessageW(h, WM_CHAR, L'中', 0);
  SendMessageW(h, WM_UNICHAR, 0x1F600, 0);  // outside the basic plane
  EXPECT_EQ(SendMessageW(h, WM_UNICHAR, UNICODE_NOCHAR, 0), TRUE);
  ASSERT_EQ(client_.messages.size(), 5u);
  const auto& m = client_.messages;
  EXPECT_EQ(m[0].kind, Kind::KeyDown);
  EXPECT_EQ(m[0].key, vkEscape);
  EXPECT_EQ(m[1].kind, Kind::KeyUp);
  EXPECT_EQ(m[1].key, vkF4);
  EXPECT_EQ(m[2].kind, Kind::Char);
  EXPECT_EQ(m[2].ch, u'中');
  EXPECT_EQ(m[3].ch, char16_t(0xD83D));
  EXPECT_EQ(m[4].ch, char16_t(0xDE00));
}

// Tapping Alt alone must not put the window into menu mode (SC_KEYMENU), which would
// swallow the next key.
TEST_F(Win32Windows, AltTapReachesTheClientAndEntersNoMenuMode) {
  const auto window = Shown(10, 10, 50, 50);
  client_.messages.clear();
  menuCommands = 0;
  const HHOOK watch =
      SetWindowsHookExW(WH_CALLWNDPROC, &CountMenuCommands, nullptr, GetCurrentThreadId());
  const UINT_PTR giveUp = SetTimer(nullptr, 0, 2000, &EndMenuTimer);
  SendMessageW(window->Handle(), WM_SYSKEYDOWN, VK_MENU, 1 << 29);
  SendMessageW(window->Handle(), WM_SYSKEYUP, VK_MENU, 1 << 29);
  KillTimer(nullptr, giveUp);
  UnhookWindowsHookEx(watch);
  EXPECT_EQ(menuCommands, 0);
  ASSERT_EQ(client_.messages.size(), 2u);
  EXPECT_EQ(client_.messages[0].kind, Kind::KeyDown);
  EXPECT_EQ(client_.messages[1].kind, Kind::KeyUp);
  EXPECT_EQ(client_.messages[1].key, 18);
}

// The input method's result arrives once, as text, and not again as characters.
TEST_F(Win32Windows, ComposedTextArrivesAsOneCommit) {
  const auto window = Shown(10, 10, 50, 50);
  window->Activate();
  Settle();
  client_.messages.clear();
  HIMC context = ImmGetContext(window->Handle());
  ASSERT_NE(context, nullptr);
  ImmSetOpenStatus(context, TRUE);
  const std::wstring text = L"中文";
  ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(text.c_str()),
                           DWORD(text.size() * sizeof(wchar_t)), nullptr, 0);
  ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
  ImmReleaseContext(window->Handle(), context);
  Settle();
  std::vector<TWindowMessage> commits;
  for (const auto& m : client_.messages) {
    EXPECT_NE(m.kind, Kind::Char);
    if (m.kind == Kind::ImeCommit) commits.push_back(m);
  }
  ASSERT_EQ(commits.size(), 1u);
  EXPECT_EQ(commits[0].text, u"中文");
}

// The system's suggested rectangle is taken; a ratio that stays the same is not announced.
TEST_F(Win32Windows, DpiChangeTakesTheSuggestedPlace) {
  const auto window = Shown(10, 10, 50, 50);
  client_.messages.clear();
  const UINT dpi = GetDpiForWindow(window->Handle());
  RECT suggested{30, 40, 130, 90};
  SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
  EXPECT_EQ(window->Bounds(), (TBoundsI{30, 40, 100, 50}));
  for (const auto& m : client_.messages) EXPECT_NE(m.kind, Kind::RatioChange);
}

TEST_F(Win32Windows, CloseRequestIsTheOwnersToDecide) {
  const auto window = Shown(10, 10, 50, 50);
  client_.messages.clear();
  SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(client_.messages.size(), 1u);
  EXPECT_EQ(client_.messages[0].kind, Kind::Close);
  EXPECT_TRUE(IsWindow(window->Handle()));
  EXPECT_TRUE(window->Visible());
}

TEST_F(Win32Windows, ClientMayFreeTheWindowWhileAMessageIsDelivered) {
  auto window = std::make_unique<TWin32Window>(client_);
  const HWND h = window->Handle();
  client_.onMessage = [&](const TWindowMessage& m) {
    if (m.kind == Kind::Char) window.reset();
  };
  SendMessageW(h, WM_UNICHAR, 0x1F600, 0);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(client_.messages.size(), 1u);  // the second half went nowhere
}

TEST_F(Win32Windows, CursorOfTheClientAreaIsTheOneSet) {
  const auto window = Shown(10, 10, 50, 50);
  window->SetCursor(crIBeam);
  SendMessageW(window->Handle(), WM_SETCURSOR, WPARAM(window->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_IBEAM));
  window->SetCursor(crHandPoint);
  SendMessageW(window->Handle(), WM_SETCURSOR, WPARAM(window->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(TWin32Window::CursorName(crSizeNWSE), IDC_SIZENWSE);
  EXPECT_EQ(TWin32Window::CursorName(crDefault), IDC_ARROW);
}

TEST_F(Win32Windows, MouseCaptureIsTakenAndGivenBack) {
  const auto window = Shown(10, 10, 50, 50);
  window->SetMouseCapture(true);
  EXPECT_EQ(GetCapture(), window->Handle());
  window->SetMouseCapture(false);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Win32Windows, HintShowsATrackingTooltipBelowTheArea) {
  const auto window = Shown(100, 100, 80, 80);
  window->ShowHint(u"提示文字", {10, 10, 20, 20});
  Settle();
  const HWND tip = window->HintWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  wchar_t text[64] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = window->Handle();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 64, LPARAM(&tool));
  EXPECT_EQ(std::wstring(text), L"提示文字");
  RECT r;
  GetWindowRect(tip, &r);
  EXPECT_NEAR(r.left, 110, 2);  // the bottom left corner of the area
  EXPECT_NEAR(r.top, 130, 2);
  window->ShowHint(u"", {});
  Settle();
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(Win32Windows, CursorPosIsTheSystemsPointer) {
  SetCursorPos(123, 45);
  EXPECT_EQ(system_.CursorPos(), (TPointI{123, 45}));
}

// A press elsewhere on the screen reaches a watching popup as a press outside its client area.
TEST_F(Win32Windows, WatchingPopupHearsOfPressesOutsideTheProgram) {
  TWin32Window popup(client_);
  popup.SetPopup(true);
  popup.SetBounds({400, 300, 50, 40});
  popup.SetVisible(true);
  Settle();
  client_.messages.clear();
  ClickAt(20, 500);
  Settle(10);
  std::vector<TWindowMessage> downs;
  for (const auto& m : client_.messages)
    if (m.kind == Kind::MouseDown) downs.push_back(m);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].x, 20 - 400);
  EXPECT_EQ(downs[0].y, 500 - 300);
}

// A press on the program's own window reaches that window, not the popup.
TEST_F(Win32Windows, WatchingPopupIsNotToldOfPressesOnTheProgramsWindows) {
  TRecordingClient otherClient;
  TWin32Window other(otherClient);
  other.SetFrameless(true);
  other.SetBounds({100, 400, 100, 100});
  other.SetVisible(true);
  TWin32Window popup(client_);
  popup.SetPopup(true);
  popup.SetBounds({400, 300, 50, 40});
  popup.SetVisible(true);
  Settle();
  client_.messages.clear();
  ClickAt(150, 450);
  Settle(10);
  for (const auto& m : client_.messages) EXPECT_NE(m.kind, Kind::MouseDown);
  bool otherPressed = false;
  for (const auto& m : otherClient.messages) otherPressed |= m.kind == Kind::MouseDown;
  EXPECT_TRUE(otherPressed);
}

TEST_F(Win32Windows, PopupThatDoesNotWatchHearsNothingFromOutside) {
  TWin32Window popup(client_);
  popup.SetPopup(false);
  popup.SetBounds({400, 300, 50, 40});
  popup.SetVisible(true);
  Settle();
  client_.messages.clear();
  ClickAt(20, 500);
  Settle(10);
  for (const auto& m : client_.messages) EXPECT_NE(m.kind, Kind::MouseDown);
}

// The frame of another window of the program is outside the popup as well.
TEST_F(Win32Windows, WatchingPopupHearsOfPressesOnTheProgramsFrames) {
  TRecordingClient dialogClient;
  TWin32Window dialog(dialogClient);
  dialog.SetBounds({10, 10, 100, 100});
  dialog.SetVisible(true);
  TWin32Window popup(client_);
  popup.SetPopup(true);
  popup.SetBounds({400, 300, 50, 40});
  popup.SetVisible(true);
  Settle();
  client_.messages.clear();
  SendMessageW(dialog.Handle(), WM_NCLBUTTONDOWN, HTNOWHERE, MAKELPARAM(15, 5));
  Settle();
  ASSERT_EQ(client_.messages.size(), 1u);
  EXPECT_EQ(client_.messages[0].kind, Kind::MouseDown);
  EXPECT_EQ(client_.messages[0].x, 15 - 400);
  popup.SetVisible(false);
  client_.messages.clear();
  SendMessageW(dialog.Handle(), WM_NCLBUTTONDOWN, HTNOWHERE, MAKELPARAM(15, 5));
  Settle();
  EXPECT_TRUE(client_.messages.empty());
}

}  // namespace
