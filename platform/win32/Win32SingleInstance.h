#pragma once

// The name is a mutex of the user's session ("Local\" + name): whoever creates it is the first
// instance, and the system drops it when the last handle goes, however that process ends. The
// first instance also keeps a hidden window of its own class titled with the name, where a
// later start finds it and asks it, with a registered message, to come forward; the later
// start first allows it to take the foreground, which Windows would otherwise refuse to a
// program the user is not working in.
//
// Under the session's default rights another user's mutex cannot be opened; a name held that
// way is not ours to wait on, so Claim throws ESingleInstance rather than hand over to, or run
// beside, a stranger.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/SingleInstance.h"

class TWin32SingleInstance : public ISingleInstance {
 public:
  static constexpr wchar_t kWindowClass[] = L"LingchuanInstance";
  // How long a later start looks for the window of a first instance that is still starting.
  static constexpr DWORD kFindWindowMs = 2000;

  TWin32SingleInstance() = default;
  ~TWin32SingleInstance() override;
  TWin32SingleInstance(const TWin32SingleInstance&) = delete;
  TWin32SingleInstance& operator=(const TWin32SingleInstance&) = delete;

  bool Claim(const std::string& name, std::function<void()> onActivate) override;

  // The message a later start sends to the first instance's window.
  static UINT ActivateMessage();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Listen(const std::wstring& title, std::function<void()> onActivate);

  HANDLE mutex_ = nullptr;
  HWND window_ = nullptr;
  std::function<void()> onActivate_;
};
