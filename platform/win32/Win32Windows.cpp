#include "platform/win32/Win32Windows.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>
#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Dpi.h"

namespace {

constexpr wchar_t kClassName[] = L"LingchuanWindow";
// A press somewhere on the screen that the mouse hook hands to the newest watching popup:
// wParam the button-down message, lParam the screen point.
constexpr UINT kOutsidePress = WM_APP + 2;
// The same for a press on the frame of another window of the program.
constexpr UINT kOwnFramePress = WM_APP + 3;
constexpr UINT_PTR kHintId = 1;

constexpr LONG_PTR kFramedStyle = WS_OVERLAPPEDWINDOW;
// Without a frame the window keeps its system menu and minimise command for the taskbar.
constexpr LONG_PTR kFramelessStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

// The watching popups that are shown, oldest first; only the newest is told of presses.
std::vector<TWin32Window*>& Watchers() {
  static std::vector<TWin32Window*> watchers;
  return watchers;
}

HHOOK& MouseHook() {
  static HHOOK hook = nullptr;
  return hook;
}

bool OwnWindow(HWND window) {
  DWORD process = 0;
  return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

TMouseButton ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

// The client-area press matching a non-client one.
UINT ClientButtonDown(UINT ncMessage) {
  return ncMessage == WM_NCRBUTTONDOWN   ? WM_RBUTTONDOWN
         : ncMessage == WM_NCMBUTTONDOWN ? WM_MBUTTONDOWN
                                         : WM_LBUTTONDOWN;
}

TShiftState KeyShift() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

void RegisterWindowClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, TWin32Window::CursorName(crArrow));
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

void LoadTooltipClass() {
  static const bool loaded = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != 0;
  }();
  (void)loaded;
}

TOOLINFOW HintTool(HWND owner) {
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // accepted by every version of the control
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner;
  tool.uId = kHintId;
  return tool;
}

// The window rectangle of the normal (not minimised) placement, in screen coordinates.
RECT NormalWindowRect(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  RECT r = placement.rcNormalPosition;
  // Tool windows are placed in screen coordinates, others in work-area coordinates.
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return r;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor);
  OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
             monitor.rcWork.top - monitor.rcMonitor.top);
  return r;
}

struct TWindowIcons {
  HICON big = nullptr;
  HICON small = nullptr;
};

TWindowIcons& ProgramIcons() {
  static TWindowIcons icons;
  return icons;
}

void GiveIcons(HWND window) {
  if (!ProgramIcons().big && !ProgramIcons().small) return;
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcons().big));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcons().small));
}

BOOL CALLBACK GiveIconsIfOurs(HWND window, LPARAM) {
  wchar_t name[std::size(kClassName)] = {};
  GetClassNameW(window, name, int(std::size(name)));
  if (std::wstring_view(name) == kClassName) GiveIcons(window);
  return TRUE;
}

}  // namespace

TWin32Window::TWin32Window(IWindowClient& client) : client_(client) {
  RegisterWindowClass(&WindowProc);
  cursor_ = LoadCursorW(nullptr, CursorName(crArrow));
  window_ =
      CreateWindowExW(0, kClassName, L"", kFramedStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  GiveIcons(window_);
  toldRatio_ = DevicePixelRatio();
}

TWin32Window::~TWin32Window() {
  std::erase(Watchers(), this);
  FollowWatching();
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  if (hint_) DestroyWindow(hint_);
  DestroyWindow(window_);
}

LRESULT CALLBACK TWin32Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* self = static_cast<TWin32Window*>(create->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
  }
  auto* self = reinterpret_cast<TWin32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (self && self->Handle(message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

bool TWin32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return true;
    case WM_ERASEBKGND:
      result = 1;  // WM_PAINT covers every pixel
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return false;
      ::SetCursor(cursor_);
      result = TRUE;
      return true;
    case WM_MOUSEACTIVATE:
      if (!popup_) return false;
      result = MA_NOACTIVATE;
      return true;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)
        minimized_ = wParam == SIZE_MINIMIZED;
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      // The program's own frames are outside every popup's client area too.
      if (!Watchers().empty() && Watchers().back() != this)
        PostMessageW(Watchers().back()->window_, kOwnFramePress, ClientButtonDown(message), lParam);
      return false;
    case kOwnFramePress:
      NoteOutsidePress(UINT(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false);
      return true;
    case kOutsidePress:
      NoteOutsidePress(UINT(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true);
      return true;
    case WM_DPICHANGED:
      HandleDpiChange(*reinterpret_cast<const RECT*>(lParam));
      return true;
    case WM_IME_COMPOSITION:
      if (!(lParam & GCS_RESULTSTR)) return false;
      HandleImeResult();  // taken here, so no WM_CHAR repeats it
      return true;
    case WM_UNICHAR:
      if (wParam == UNICODE_NOCHAR) {
        result = TRUE;  // characters outside the basic plane are welcome
        return true;
      }
      break;
    case WM_CLOSE:
      Deliver({.kind = TWindowMessage::Kind::Close});  // the owner decides whether it closes
      return true;
    default:
      break;
  }
  return HandleMouse(message, wParam, lParam) || HandleKey(message, wParam);
}

TShiftState TWin32Window::MouseShift(WPARAM wParam) {
  TShiftState shift = 0;
  const WORD keys = GET_KEYSTATE_WPARAM(wParam);
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

bool TWin32Window::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  using Kind = TWindowMessage::Kind;
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      DeliverMouse(Kind::MouseDown, ButtonOf(message), at, MouseShift(wParam));
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      DeliverMouse(Kind::MouseUp, ButtonOf(message), at, MouseShift(wParam));
      return true;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      DeliverMouse(Kind::DoubleClick, ButtonOf(message), at, MouseShift(wParam));
      return true;
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != 0;
      }
      DeliverMouse(Kind::MouseMove, TMouseButton::mbLeft, at, MouseShift(wParam));
      return true;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      Deliver({.kind = Kind::MouseLeave});
      return true;
    case WM_MOUSEWHEEL: {
      POINT client = at;  // the wheel tells the screen point
      ScreenToClient(window_, &client);
      TWindowMessage m{.kind = Kind::Wheel, .shift = MouseShift(wParam)};
      m.x = ToLogical(client.x);
      m.y = ToLogical(client.y);
      m.wheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
      Deliver(m);
      return true;
    }
    default:
      return false;
  }
}

// System keys (with Alt, and F10) still reach DefWindowProcW when pressed, so that Alt+F4 and
// Alt+Space work as everywhere, but not when released: a window without a menu bar would
// otherwise enter menu mode whenever Alt is tapped, and swallow the next key.
bool TWin32Window::HandleKey(UINT message, WPARAM wParam) {
  using Kind = TWindowMessage::Kind;
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      // The input method takes the keys of a composition; its result arrives as text.
      if (wParam == VK_PROCESSKEY) return false;
      const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
      const bool system = message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
      Deliver({.kind = down ? Kind::KeyDown : Kind::KeyUp,
               .shift = KeyShift(),
               .key = uint16_t(wParam)});
      return !(system && down);
    }
    case WM_CHAR:
      Deliver({.kind = Kind::Char, .shift = KeyShift(), .ch = char16_t(wParam)});
      return true;
    case WM_UNICHAR: {
      // A code point from outside the basic plane comes as its surrogate pair; the first
      // unit's handler may free the window.
      const HWND window = window_;
      const auto code = uint32_t(wParam);
      const TShiftState shift = KeyShift();
      if (code < 0x10000) {
        Deliver({.kind = Kind::Char, .shift = shift, .ch = char16_t(code)});
        return true;
      }
      const auto high = char16_t(0xD800 + ((code - 0x10000) >> 10));
      const auto low = char16_t(0xDC00 + (code & 0x3FF));
      Deliver({.kind = Kind::Char, .shift = shift, .ch = high});
      if (GetWindowLongPtrW(window, GWLP_USERDATA) == LONG_PTR(this))
        Deliver({.kind = Kind::Char, .shift = shift, .ch = low});
      return true;
    }
    default:
      return false;
  }
}

void TWin32Window::HandleImeResult() {
  HIMC context = ImmGetContext(window_);
  const LONG bytes = context ? ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0) : 0;
  std::wstring text(bytes > 0 ? size_t(bytes) / sizeof(wchar_t) : 0, L'\0');
  if (!text.empty()) ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), DWORD(bytes));
  if (context) ImmReleaseContext(window_, context);
  if (!text.empty()) Deliver({.kind = TWindowMessage::Kind::ImeCommit, .text = ToU16(text)});
}

void TWin32Window::HandleDpiChange(const RECT& suggested) {
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  const float ratio = DevicePixelRatio();
  if (ratio == toldRatio_) return;
  toldRatio_ = ratio;
  Deliver({.kind = TWindowMessage::Kind::RatioChange});
}

void TWin32Window::Deliver(const TWindowMessage& message) {
  DispatchWindowMessage(*this, client_, message);
}

void TWin32Window::DeliverMouse(TWindowMessage::Kind kind, TMouseButton button, POINT client,
                                TShiftState shift) {
  TWindowMessage m{.kind = kind, .button = button, .shift = shift};
  m.x = ToLogical(client.x);
  m.y = ToLogical(client.y);
  Deliver(m);
}

// Presses on the program's own client areas reach those windows, where the message filters
// see them.
void TWin32Window::NoteOutsidePress(UINT button, POINT screen, bool checkOwner) {
  if (Watchers().empty() || Watchers().back() != this) return;
  if (checkOwner && OwnWindow(WindowFromPoint(screen))) return;
  ScreenToClient(window_, &screen);
  DeliverMouse(TWindowMessage::Kind::MouseDown, ButtonOf(button), screen, KeyShift());
}

// Only looks, and quickly, as a low-level hook must: the press goes on to wherever it was
// going, and the watching popup sorts out later whose window it was meant for.
LRESULT CALLBACK TWin32Window::OutsidePressHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && IsButtonDown(UINT(wParam)) && !Watchers().empty()) {
    const POINT at = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
    PostMessageW(Watchers().back()->window_, kOutsidePress, wParam, MAKELPARAM(at.x, at.y));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TWin32Window::FollowWatching() {
  const bool wanted = popup_ && watchOutside_ && IsWindowVisible(window_);
  auto& watchers = Watchers();
  const bool listed = std::find(watchers.begin(), watchers.end(), this) != watchers.end();
  if (wanted && !listed) watchers.push_back(this);
  if (!wanted && listed) std::erase(watchers, this);
  HHOOK& hook = MouseHook();
  if (!watchers.empty() && !hook)
    hook = SetWindowsHookExW(WH_MOUSE_LL, &OutsidePressHook, GetModuleHandleW(nullptr), 0);
  if (watchers.empty() && hook) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
}

int TWin32Window::ToDevice(int logical) const {
  return int(std::lround(float(logical) * DevicePixelRatio()));
}

float TWin32Window::ToLogical(int device) const {
  return float(device) / DevicePixelRatio();
}

float TWin32Window::DevicePixelRatio() const {
  return TWin32Dpi::RatioOf(window_);
}

void TWin32Window::SetBounds(const TBoundsI& bounds) {
  RECT r{ToDevice(bounds.left), ToDevice(bounds.top), 0, 0};
  r.right = r.left + ToDevice(bounds.width);
  r.bottom = r.top + ToDevice(bounds.height);
  AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

TBoundsI TWin32Window::Bounds() const {
  RECT client{};
  POINT origin{0, 0};
  if (IsIconic(window_)) {
    // A minimised window has no client area: tell the one it comes back with.
    client = NormalWindowRect(window_);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    origin = {client.left - frame.left, client.top - frame.top};
    client = {0, 0, client.right - client.left - (frame.right - frame.left),
              client.bottom - client.top - (frame.bottom - frame.top)};
  } else {
    GetClientRect(window_, &client);
    ::ClientToScreen(window_, &origin);
  }
  const float ratio = DevicePixelRatio();
  const auto logical = [ratio](LONG device) { return int(std::lround(float(device) / ratio)); };
  return {logical(origin.x), logical(origin.y), logical(client.right), logical(client.bottom)};
}

void TWin32Window::ShowOrHide(bool visible) {
  if (!visible) {
    ShowHint({}, {});
    ShowWindow(window_, SW_HIDE);
    return;
  }
  if (popup_) {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  ShowWindow(window_, minimized_ ? SW_SHOWMINNOACTIVE : IsIconic(window_) ? SW_RESTORE : SW_SHOW);
}

void TWin32Window::SetVisible(bool visible) {
  ShowOrHide(visible);
  FollowWatching();
}

bool TWin32Window::Visible() const {
  return IsWindowVisible(window_) != 0;
}

void TWin32Window::SetTitle(const std::string& title) {
  SetWindowTextW(window_, Widen(title).c_str());
}

// Keeps the client area where it was: the frame grows or shrinks around it.
void TWin32Window::ChangeStyle(LONG_PTR add, LONG_PTR remove, bool extended) {
  const int index = extended ? GWL_EXSTYLE : GWL_STYLE;
  const LONG_PTR old = GetWindowLongPtrW(window_, index);
  const LONG_PTR wanted = (old & ~remove) | add;
  if (wanted == old) return;
  const bool keep = !IsIconic(window_);
  const TBoundsI bounds = Bounds();
  SetWindowLongPtrW(window_, index, wanted);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (keep) SetBounds(bounds);
}

void TWin32Window::SetFrameless(bool frameless) {
  ChangeStyle(frameless ? kFramelessStyle : kFramedStyle, kFramedStyle | kFramelessStyle, false);
}

void TWin32Window::SetToolWindow(bool tool) {
  const LONG_PTR ex = GetWindowLongPtrW(window_, GWL_EXSTYLE);
  if (bool(ex & WS_EX_TOOLWINDOW) == tool) return;
  // The taskbar reads the style when a window is shown: a shown window goes out and back.
  const bool shown = Visible();
  if (shown) ShowWindow(window_, SW_HIDE);
  ChangeStyle(tool ? WS_EX_TOOLWINDOW : 0, tool ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW, true);
  if (shown) ShowWindow(window_, SW_SHOWNA);
}

void TWin32Window::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  ChangeStyle(transparent ? WS_EX_LAYERED : 0, transparent ? 0 : WS_EX_LAYERED, true);
  if (transparent) return PresentLayered();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TWin32Window::MakeTopmost() {
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWin32Window::Activate() {
  if (!Visible() || IsIconic(window_)) {
    minimized_ = false;
    ShowOrHide(true);
  }
  SetForegroundWindow(window_);
  SetActiveWindow(window_);
}

void TWin32Window::SetMinimized(bool minimized) {
  minimized_ = minimized;
  if (Visible()) ShowWindow(window_, minimized ? SW_MINIMIZE : SW_RESTORE);
}

bool TWin32Window::Minimized() const {
  return Visible() ? IsIconic(window_) != 0 : minimized_;
}

void TWin32Window::Present(const TPixelFrame& frame, std::span<const TBoundsI> dirty) {
  const bool resized = frame_.Resize(frame.width, frame.height);
  const TBoundsI all{0, 0, frame.width, frame.height};
  const bool whole = resized || dirty.empty();
  for (const TBoundsI& r : whole ? std::span<const TBoundsI>(&all, 1) : dirty)
    frame_.Copy(frame, r);
  if (transparent_) return PresentLayered();
  if (whole) {
    InvalidateRect(window_, nullptr, FALSE);
    return;
  }
  // Frame pixels are the window's device pixels.
  for (const TBoundsI& r : dirty) {
    const RECT area{r.left, r.top, r.left + r.width, r.top + r.height};
    InvalidateRect(window_, &area, FALSE);
  }
}

void TWin32Window::PresentLayered() {
  if (frame_.Empty()) return;
  SIZE size{frame_.Width(), frame_.Height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, nullptr, &size, frame_.Dc(), &source, 0, &blend, ULW_ALPHA);
}

void TWin32Window::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  const RECT& r = paint.rcPaint;
  if (r.right > frame_.Width() || r.bottom > frame_.Height())
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!frame_.Empty())
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frame_.Dc(), r.left, r.top,
           SRCCOPY);
  EndPaint(window_, &paint);
}

LPCWSTR TWin32Window::CursorName(TCursorId cursor) {
  switch (cursor) {
    case crIBeam:
      return IDC_IBEAM;
    case crSizeNWSE:
      return IDC_SIZENWSE;
    case crHandPoint:
      return IDC_HAND;
    default:
      return IDC_ARROW;
  }
}

void TWin32Window::SetCursor(TCursorId cursor) {
  cursor_ = LoadCursorW(nullptr, CursorName(cursor));
  POINT at;
  GetCursorPos(&at);
  if (GetCapture() == window_ || WindowFromPoint(at) == window_) ::SetCursor(cursor_);
}

void TWin32Window::SetMouseCapture(bool capture) {
  if (capture) {
    SetCapture(window_);
  } else if (GetCapture() == window_) {
    ReleaseCapture();
  }
}

void TWin32Window::ShowHint(const std::u16string& text, const TBoundsI& area) {
  TOOLINFOW tool = HintTool(window_);
  if (text.empty()) {
    if (hint_) SendMessageW(hint_, TTM_TRACKACTIVATE, FALSE, LPARAM(&tool));
    return;
  }
  if (!hint_) {
    LoadTooltipClass();
    hint_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(hint_, TTM_ADDTOOLW, 0, LPARAM(&tool));
    SendMessageW(hint_, TTM_SETMAXTIPWIDTH, 0, 600);  // lets line breaks in the text work
  }
  std::wstring wide = WidenU16(text);
  tool.lpszText = wide.data();
  SendMessageW(hint_, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
  const TPointI at = ClientToScreen({area.left, area.top + area.height});
  const float ratio = DevicePixelRatio();
  SendMessageW(hint_, TTM_TRACKPOSITION, 0,
               MAKELPARAM(std::lround(float(at.x) * ratio), std::lround(float(at.y) * ratio)));
  SendMessageW(hint_, TTM_TRACKACTIVATE, TRUE, LPARAM(&tool));
}

TPointI TWin32Window::ClientToScreen(TPointI point) const {
  POINT device{ToDevice(point.x), ToDevice(point.y)};
  ::ClientToScreen(window_, &device);
  const float ratio = DevicePixelRatio();
  return {int(std::lround(float(device.x) / ratio)), int(std::lround(float(device.y) / ratio))};
}

// A drop-down: no frame, no taskbar button, above every window, and never activated, neither
// by showing (SW_SHOWNOACTIVATE) nor by clicks (WS_EX_NOACTIVATE, MA_NOACTIVATE). Presses
// outside the program are seen by a low-level mouse hook while a watching popup is shown.
void TWin32Window::SetPopup(bool watchOutside) {
  popup_ = true;
  watchOutside_ = watchOutside;
  ChangeStyle(WS_POPUP, kFramedStyle | kFramelessStyle, false);
  ChangeStyle(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, WS_EX_APPWINDOW, true);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  FollowWatching();
}

TWin32WindowSystem::TWin32WindowSystem() {
  TWin32Dpi::BecomeAware();
}

std::unique_ptr<INativeWindow> TWin32WindowSystem::OpenWindow(IWindowClient& client) {
  return std::make_unique<TWin32Window>(client);
}

TPointI TWin32WindowSystem::CursorPos() const {
  POINT at{0, 0};
  GetCursorPos(&at);
  const float ratio = TWin32Dpi::SystemRatio();
  return {int(std::lround(float(at.x) / ratio)), int(std::lround(float(at.y) / ratio))};
}

void TWin32WindowSystem::SetIcons(HICON big, HICON small) {
  ProgramIcons() = {big, small};
  EnumThreadWindows(GetCurrentThreadId(), GiveIconsIfOurs, 0);
}
