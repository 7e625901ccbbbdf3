#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32EventLoop.h"
#include "platform/win32/Win32IconCodec.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32MenuService.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32NotifyArea.h"
#include "platform/win32/Win32Windows.h"

// The services of a Windows program, with the notification area, the icon codec and the menu
// service, installed for the object's lifetime. Create it on the user-interface thread and
// keep at most one.
class TWin32Platform {
 public:
  explicit TWin32Platform(std::unique_ptr<IPowerActions> power);
  ~TWin32Platform();
  TWin32Platform(const TWin32Platform&) = delete;
  TWin32Platform& operator=(const TWin32Platform&) = delete;

 private:
  TWin32Clock clock_;
  TWin32EventLoop loop_;
  TWin32MessageBox messageBox_;
  TWin32Locale locale_;
  TWin32WindowSystem windows_;
  TWin32Clipboard clipboard_;
  std::unique_ptr<IPowerActions> power_;
  TWin32NotifyArea notifyArea_;
  TWin32IconCodec iconCodec_;
  TWin32MenuService menus_;
  PlatformServices previous_;
  INotifyArea* previousArea_;
  IIconCodec* previousCodec_;
  IMenuService* previousMenus_;
};
