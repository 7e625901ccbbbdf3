#pragma once

// The notification area of the desktop through QSystemTrayIcon (an XEmbed tray or a
// StatusNotifierItem host, whichever Qt finds). Needs a QApplication.
//
// The desktop reports activations rather than raw mouse messages; each is turned into the
// messages a Windows shell sends for the same gesture: a click into left down and up, a
// double click into left double click and up, a context request into right down and up, a
// middle click into middle down and up, each with the cursor position and the keyboard
// modifiers read at delivery. Deliveries are queued, so that a handler may free the icon.
//
// Balloons go to the desktop's notification service when the session bus has one, since
// QSystemTrayIcon shows nothing where there is no tray; otherwise, or when the service fails
// them, to the tray icon's own balloon.
//
// Qt gives no signal when the tray goes and comes back (a restarted panel), so while icons
// exist the area polls QSystemTrayIcon::isSystemTrayAvailable every second and tells every
// icon that the area was created when it turns from unavailable to available; the icon then
// adds itself again, which re-registers it with the new host.

#include <QDBusConnection>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>
#include <vector>

#include "platform/NotifyArea.h"
#include "platform/qt/QtDesktopNotifications.h"

class TQtNotifyArea : public INotifyArea {
 public:
  // Balloons stay on screen at least and at most this long, as on the Windows shell, which
  // the timeout in a balloon record is meant for.
  static constexpr uint32_t kMinBalloonMs = 10000;
  static constexpr uint32_t kMaxBalloonMs = 30000;

  explicit TQtNotifyArea(QDBusConnection bus = QDBusConnection::sessionBus());
  ~TQtNotifyArea() override;
  TQtNotifyArea(const TQtNotifyArea&) = delete;
  TQtNotifyArea& operator=(const TQtNotifyArea&) = delete;

  std::unique_ptr<INotifyChannel> CreateChannel(TNotifyCallbacks callbacks) override;

 private:
  class TChannel;
  friend class TChannel;

  void Forget(TChannel* channel);
  void Poll();

  QDBusConnection bus_;
  QTimer watch_;
  bool available_ = false;
  std::vector<TChannel*> channels_;
};
