#pragma once

// The Windows clipboard as Unicode text (CF_UNICODETEXT; the system converts plain text for
// us). Line breaks are LF inside the program and CRLF on the clipboard, as Windows programs
// write and expect them. Another program may hold the clipboard for a moment, so opening it
// is retried a few times before the request gives up.

#include <windows.h>

#include "platform/Clipboard.h"

class TWin32Clipboard : public IClipboard {
 public:
  // Opening attempts, and the pause after each failed one.
  static constexpr int kOpenAttempts = 10;
  static constexpr DWORD kOpenPauseMs = 20;

  TWin32Clipboard();
  ~TWin32Clipboard() override;
  TWin32Clipboard(const TWin32Clipboard&) = delete;
  TWin32Clipboard& operator=(const TWin32Clipboard&) = delete;

  bool HasText() const override;
  std::u16string Text() const override;
  void SetText(const std::u16string& text) override;

 private:
  // The clipboard's owner: without one, data set after emptying it would be refused.
  HWND window_ = nullptr;
};
