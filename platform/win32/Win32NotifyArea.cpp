#include "platform/win32/Win32NotifyArea.h"

#include <shlwapi.h>

#include <algorithm>
#include <string_view>

#include "platform/component/TemporaryChange.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32IconHandle.h"

namespace {

constexpr wchar_t kWindowClass[] = L"LingchuanNotifyIcon";

bool IsMouseMessage(UINT message) {
  return message >= nmMouseMove && message <= nmMButtonDblClk;
}

TShiftState CurrentShift() {
  // The keyboard belongs to another program while the icon is clicked, so the thread's own key
  // state may be stale: the live state counts.
  TShiftState shift = 0;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) shift |= ssShift;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) shift |= ssCtrl;
  if (GetAsyncKeyState(VK_MENU) & 0x8000) shift |= ssAlt;
  return shift;
}

// Copies as much of `text` as fits with its terminator, never splitting a surrogate pair.
template <size_t N>
void CopyCut(const std::string& utf8, wchar_t (&buffer)[N]) {
  const std::wstring text = Widen(utf8);
  size_t length = std::min(text.size(), N - 1);
  if (length < text.size() && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) --length;
  std::copy_n(text.begin(), length, buffer);
  buffer[length] = L'\0';
}

// Balloons came with version 5 of the shell library.
bool ShellShowsBalloons() {
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  auto getVersion = shell ? reinterpret_cast<DLLGETVERSIONPROC>(
                                reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")))
                          : nullptr;
  DLLVERSIONINFO version{};
  version.cbSize = sizeof version;
  return getVersion && SUCCEEDED(getVersion(&version)) && version.dwMajorVersion > 4;
}

bool RealShell(DWORD request, const NOTIFYICONDATAW& data) {
  return Shell_NotifyIconW(request, const_cast<NOTIFYICONDATAW*>(&data)) != FALSE;
}

}  // namespace

class TWin32NotifyArea::TChannel : public INotifyChannel {
 public:
  TChannel(TShellRequest shell, TNotifyCallbacks callbacks, bool balloons)
      : shell_(std::move(shell)), callbacks_(std::move(callbacks)), balloons_(balloons) {
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // An elevated program would not hear the shell's broadcast otherwise.
    ChangeWindowMessageFilterEx(window_, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
  }
  ~TChannel() override {
    // A shown icon would linger in the notification area until the pointer passes over it.
    if (added_) Delete();
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  TChannel(const TChannel&) = delete;
  TChannel& operator=(const TChannel&) = delete;

  bool Add(const TNotifyIconData& data) override {
    NOTIFYICONDATAW record = IconRecord(data);
    // A shell busy past its time limit reports a failed add of an icon it did add; a modify
    // tells the two apart.
    added_ = Request(NIM_ADD, record) || Request(NIM_MODIFY, record);
    return added_;
  }
  void Modify(const TNotifyIconData& data) override { Request(NIM_MODIFY, IconRecord(data)); }
  void Delete() override {
    added_ = false;
    Request(NIM_DELETE, BaseRecord(0));
  }
  void ShowBalloon(const TBalloonData& balloon) override {
    NOTIFYICONDATAW record = BaseRecord(NIF_INFO);
    if (TakeIcon(balloon.images)) {
      record.uFlags |= NIF_ICON;
      record.hIcon = icon_.Get();
    }
    CopyCut(balloon.title, record.szInfoTitle);
    CopyCut(balloon.text, record.szInfo);
    record.uTimeout = balloon.timeout;
    record.dwInfoFlags = balloon.flags;
    Request(NIM_MODIFY, record);
  }
  bool BalloonsSupported() const override { return balloons_; }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* channel = reinterpret_cast<TChannel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (channel && channel->Handle(message, wParam, lParam)) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
  }

 private:
  NOTIFYICONDATAW BaseRecord(UINT flags) const {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = window_;
    record.uID = 0;
    record.uFlags = flags;
    return record;
  }

  NOTIFYICONDATAW IconRecord(const TNotifyIconData& data) {
    NOTIFYICONDATAW record = BaseRecord(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    record.uCallbackMessage = CallbackMessage();
    TakeIcon(data.images);
    record.hIcon = icon_.Get();
    CopyCut(data.tip, record.szTip);
    return record;
  }

  // The shell copies the icon it is given; ours is kept until the next one replaces it.
  bool TakeIcon(const std::vector<TIconImage>& images) {
    TWin32IconHandle icon = TWin32IconHandle::FromImages(images, GetSystemMetrics(SM_CXSMICON));
    if (!icon) return false;
    icon_ = std::move(icon);
    return true;
  }

  bool Request(DWORD request, const NOTIFYICONDATAW& record) {
    if (!window_) return false;
    const TTemporaryChange<bool> busy(requesting_, true);
    return shell_(request, record);
  }

  bool Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool callback = message == CallbackMessage();
    if (!callback && message != TaskbarCreatedMessage()) return false;
    if (requesting_) {
      PostMessageW(window_, message, wParam, lParam);
      return true;
    }
    if (!callback) {
      // Called through a copy: the handler may free this channel, and nothing here is touched
      // afterwards.
      if (const auto created = callbacks_.taskbarCreated) created();
      return true;
    }
    const UINT mouse = LOWORD(lParam);
    if (IsMouseMessage(mouse)) Deliver(mouse);
    return true;
  }

  void Deliver(UINT message) {
    const auto mouse = callbacks_.mouse;
    if (!mouse) return;
    POINT at{};
    GetCursorPos(&at);
    mouse({message, at.x, at.y, CurrentShift()});
  }

  TShellRequest shell_;
  TNotifyCallbacks callbacks_;
  bool balloons_;
  HWND window_ = nullptr;
  TWin32IconHandle icon_;
  bool added_ = false;
  bool requesting_ = false;
};

TWin32NotifyArea::TWin32NotifyArea(TShellRequest shell)
    : shell_(shell ? std::move(shell) : TShellRequest(RealShell)), balloons_(ShellShowsBalloons()) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = TChannel::WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  // A second area in the same process finds the class registered already.
  RegisterClassExW(&windowClass);
}

std::unique_ptr<INotifyChannel> TWin32NotifyArea::CreateChannel(TNotifyCallbacks callbacks) {
  return std::make_unique<TChannel>(shell_, std::move(callbacks), balloons_);
}

UINT TWin32NotifyArea::CallbackMessage() {
  static const UINT message = RegisterWindowMessageW(L"TrayIconCallback");
  return message;
}

UINT TWin32NotifyArea::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}
