#pragma once

// Balloon notices through the desktop's notification service (org.freedesktop.Notifications on
// the session bus). Unlike a tray icon's own balloon it needs no notification area, so notices
// reach the user on desktops without a tray too. Each notice replaces the previous one of the
// same sender, as a new balloon replaces the one still showing at a Windows tray icon.

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>

#include "platform/NotifyArea.h"

// The arguments of one Notify call, in the order the service takes them.
struct TDesktopNotice {
  QString appName;
  uint replacesId = 0;
  QString appIcon;
  QString summary;
  QString body;
  QStringList actions;
  QVariantMap hints;
  int expireTimeout = 0;  // milliseconds
};

class TQtDesktopNotifications {
 public:
  static constexpr const char* kService = "org.freedesktop.Notifications";
  static constexpr const char* kPath = "/org/freedesktop/Notifications";

  explicit TQtDesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus());
  TQtDesktopNotifications(const TQtDesktopNotifications&) = delete;
  TQtDesktopNotifications& operator=(const TQtDesktopNotifications&) = delete;

  // The Notify arguments for a balloon shown for `shownMs` milliseconds; the icon name and
  // the urgency follow the balloon's severity.
  static TDesktopNotice NoticeFor(const QString& appName, const TBalloonData& balloon,
                                  uint32_t shownMs, uint replacesId);

  // True when a notification service runs on the bus or the bus can start one.
  bool Available() const;
  // Sends the notice without waiting; `failed` runs later, on this thread, when the service
  // answers with an error or does not answer at all. Nothing runs after this object is gone.
  void Show(const QString& appName, const TBalloonData& balloon, uint32_t shownMs,
            std::function<void()> failed);

 private:
  QDBusConnection bus_;
  QObject replies_;  // owns the pending replies' watchers
  uint lastId_ = 0;
};
