#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtIconCodec.h"
#include "platform/qt/QtLocale.h"
#include "platform/qt/QtMenuService.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtNotifyArea.h"
#include "platform/qt/QtWindows.h"

// The services of a Qt application, with the notification area, the icon codec and the menu
// service, installed for the object's lifetime. Create it after the QApplication and keep at
// most one.
class TQtPlatform {
 public:
  explicit TQtPlatform(std::unique_ptr<IPowerActions> power);
  ~TQtPlatform();
  TQtPlatform(const TQtPlatform&) = delete;
  TQtPlatform& operator=(const TQtPlatform&) = delete;

 private:
  TQtClock clock_;
  TQtEventLoop loop_;
  TQtMessageBox messageBox_;
  TQtLocale locale_;
  TQtWindowSystem windows_;
  TQtClipboard clipboard_;
  std::unique_ptr<IPowerActions> power_;
  TQtNotifyArea notifyArea_;
  TQtIconCodec iconCodec_;
  TQtMenuService menus_;
  PlatformServices previous_;
  INotifyArea* previousArea_;
  IIconCodec* previousCodec_;
  IMenuService* previousMenus_;
};
