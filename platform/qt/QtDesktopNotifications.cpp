#include "platform/qt/QtDesktopNotifications.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <algorithm>
#include <cstdint>

namespace {

// A service that has not answered by then is taken as gone.
constexpr int kReplyMs = 5000;

// Urgency levels of the notification service.
constexpr uchar kNormal = 1;
constexpr uchar kCritical = 2;

QString IconNameFor(TBalloonFlags flags) {
  switch (flags) {
    case niifInfo:
      return "dialog-information";
    case niifWarning:
      return "dialog-warning";
    case niifError:
      return "dialog-error";
    default:
      return {};
  }
}

}  // namespace

TQtDesktopNotifications::TQtDesktopNotifications(QDBusConnection bus) : bus_(std::move(bus)) {}

TDesktopNotice TQtDesktopNotifications::NoticeFor(const QString& appName,
                                                  const TBalloonData& balloon, uint32_t shownMs,
                                                  uint replacesId) {
  TDesktopNotice notice;
  notice.appName = appName;
  notice.replacesId = replacesId;
  notice.appIcon = IconNameFor(balloon.flags);
  notice.summary = QString::fromStdString(balloon.title);
  notice.body = QString::fromStdString(balloon.text);
  notice.hints["urgency"] = QVariant::fromValue(balloon.flags == niifError ? kCritical : kNormal);
  // Lets the service show the program's own icon and name beside the severity's icon.
  notice.hints["desktop-entry"] = QString("lingchuan");
  notice.expireTimeout = int(std::min<uint32_t>(shownMs, INT32_MAX));
  return notice;
}

bool TQtDesktopNotifications::Available() const {
  QDBusConnectionInterface* daemon = bus_.isConnected() ? bus_.interface() : nullptr;
  if (!daemon) return false;
  if (daemon->isServiceRegistered(kService)) return true;
  const QDBusReply<QStringList> startable = daemon->call("ListActivatableNames");
  return startable.isValid() && startable.value().contains(kService);
}

void TQtDesktopNotifications::Show(const QString& appName, const TBalloonData& balloon,
                                   uint32_t shownMs, std::function<void()> failed) {
  const TDesktopNotice n = NoticeFor(appName, balloon, shownMs, lastId_);
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
  call << n.appName << n.replacesId << n.appIcon << n.summary << n.body << n.actions << n.hints
       << n.expireTimeout;
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kReplyMs), &replies_);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &replies_,
                   [this, watcher, failed = std::move(failed)] {
                     const QDBusPendingReply<uint> reply = *watcher;
                     watcher->deleteLater();
                     if (reply.isError()) {
                       if (failed) failed();
                       return;
                     }
                     lastId_ = reply.value();
                   });
}
