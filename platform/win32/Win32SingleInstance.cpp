#include "platform/win32/Win32SingleInstance.h"

#include <algorithm>
#include <exception>

#include "platform/Application.h"
#include "platform/win32/WideText.h"

namespace {

// A backslash would name a namespace; none may follow the session's.
std::wstring MutexName(std::wstring name) {
  std::ranges::replace(name, L'\\', L'_');
  return L"Local\\" + name;
}

HWND FindFirstInstance(const std::wstring& title) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = FindWindowW(TWin32SingleInstance::kWindowClass, title.c_str())) return found;
    if (GetTickCount() - start >= TWin32SingleInstance::kFindWindowMs) return nullptr;
    Sleep(50);
  }
}

void AskFirstInstance(const std::wstring& title) {
  HWND first = FindFirstInstance(title);
  if (!first) return;
  DWORD process = 0;
  GetWindowThreadProcessId(first, &process);
  AllowSetForegroundWindow(process);
  // Waits while the first instance comes forward, so that the foreground right granted above
  // is still ours to give; a hung first instance is not waited for.
  SendMessageTimeoutW(first, TWin32SingleInstance::ActivateMessage(), 0, 0,
                      SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, nullptr);
}

}  // namespace

TWin32SingleInstance::~TWin32SingleInstance() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (mutex_) CloseHandle(mutex_);
}

UINT TWin32SingleInstance::ActivateMessage() {
  static const UINT message = RegisterWindowMessageW(L"LingchuanActivate");
  return message;
}

bool TWin32SingleInstance::Claim(const std::string& name, std::function<void()> onActivate) {
  const std::wstring title = Widen(name);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, MutexName(title).c_str());
  const DWORD error = GetLastError();
  if (!mutex && error == ERROR_ACCESS_DENIED) {
    throw ESingleInstance("the name \"" + name +
                          "\" is held by a program of another user; end it and start again");
  }
  // Without a mutex to hold, run anyway: one instance too many beats none.
  if (!mutex) return true;
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    AskFirstInstance(title);
    return false;
  }
  mutex_ = mutex;
  Listen(title, std::move(onActivate));
  return true;
}

void TWin32SingleInstance::Listen(const std::wstring& title, std::function<void()> onActivate) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when registered already
  onActivate_ = std::move(onActivate);
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, title.c_str(), WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // A first instance with more rights than the later start still hears it.
  ChangeWindowMessageFilterEx(window_, ActivateMessage(), MSGFLT_ALLOW, nullptr);
}

LRESULT CALLBACK TWin32SingleInstance::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  auto* instance =
      reinterpret_cast<TWin32SingleInstance*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!instance || message != ActivateMessage()) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // Nothing may unwind through the system's frames.
  try {
    if (const auto activate = instance->onActivate_) activate();
  } catch (const std::exception& failure) {
    Application().HandleException(failure);
  }
  return 1;
}
