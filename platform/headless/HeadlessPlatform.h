#pragma once

#include "platform/Platform.h"
#include "platform/headless/HeadlessLocale.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/HeadlessNotifyArea.h"
#include "platform/headless/HeadlessWindows.h"
#include "platform/headless/MemoryClipboard.h"
#include "platform/headless/PowerRecorder.h"
#include "platform/headless/VirtualClock.h"

// Deterministic services for tests, installed for the object's lifetime: a virtual clock
// starting at 2024-03-15 09:00:00.000, the recording message box, the zh_CN locale, the
// power recorder, windows in memory, the recording notification area and a clipboard in memory.
// Create at most one at a time.
class THeadlessPlatform {
 public:
  THeadlessPlatform();
  ~THeadlessPlatform();
  THeadlessPlatform(const THeadlessPlatform&) = delete;
  THeadlessPlatform& operator=(const THeadlessPlatform&) = delete;

  TVirtualClock& Clock() { return clock_; }
  THeadlessMessageBox& MessageBox() { return messageBox_; }
  THeadlessLocale& Locale() { return locale_; }
  TPowerRecorder& Power() { return power_; }
  THeadlessWindowSystem& Windows() { return windows_; }
  THeadlessNotifyArea& NotifyArea() { return notifyArea_; }
  TMemoryClipboard& Clipboard() { return clipboard_; }
  void Advance(int64_t ms) { clock_.Advance(ms); }

 private:
  TVirtualClock clock_;
  THeadlessMessageBox messageBox_;
  THeadlessLocale locale_;
  TPowerRecorder power_;
  THeadlessWindowSystem windows_;
  THeadlessNotifyArea notifyArea_;
  TMemoryClipboard clipboard_;
  PlatformServices previous_;
  INotifyArea* previousArea_;
};
