#pragma once

// The Windows shell's notification area through Shell_NotifyIconW. Every channel owns a hidden
// top-level window (broadcasts such as "TaskbarCreated" reach top-level windows only) that
// receives the icon's callback message, the registered "TrayIconCallback", whose mouse
// messages are handed on as the shell numbers them, with the cursor position and the state
// of Shift, Ctrl and Alt read at delivery. The registered "TaskbarCreated" message tells the
// channel that the shell restarted and lost the icon.
//
// The shell may send a callback while one of the channel's own requests waits for the shell;
// such a callback is posted back to the window and delivered after the request, so that
// handlers never run inside a request.

#include <windows.h>
// Needs windows.h before it.
#include <shellapi.h>

#include <functional>
#include <memory>

#include "platform/NotifyArea.h"

class TWin32NotifyArea : public INotifyArea {
 public:
  // One request to the shell (NIM_ADD, NIM_MODIFY or NIM_DELETE); true when the shell took
  // it. Shell_NotifyIconW unless tests want to see the records.
  using TShellRequest = std::function<bool(DWORD request, const NOTIFYICONDATAW& data)>;

  explicit TWin32NotifyArea(TShellRequest shell = {});
  ~TWin32NotifyArea() override = default;
  TWin32NotifyArea(const TWin32NotifyArea&) = delete;
  TWin32NotifyArea& operator=(const TWin32NotifyArea&) = delete;

  std::unique_ptr<INotifyChannel> CreateChannel(TNotifyCallbacks callbacks) override;

  // The callback message of every icon, registered once per session under its name.
  static UINT CallbackMessage();
  // The shell's broadcast after it has created the notification area anew.
  static UINT TaskbarCreatedMessage();

 private:
  class TChannel;

  TShellRequest shell_;
  bool balloons_;
};
