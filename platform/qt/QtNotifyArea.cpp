#include "platform/qt/QtNotifyArea.h"

#include <QCursor>
#include <QGuiApplication>
#include <algorithm>

#include "platform/Application.h"
#include "platform/component/WeakRef.h"
#include "platform/qt/QtIconCodec.h"

namespace {

TShiftState CurrentShift() {
  const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  return shift;
}

std::vector<uint32_t> MessagesFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return {nmLButtonDown, nmLButtonUp};
    case QSystemTrayIcon::DoubleClick:
      return {nmLButtonDblClk, nmLButtonUp};
    case QSystemTrayIcon::Context:
      return {nmRButtonDown, nmRButtonUp};
    case QSystemTrayIcon::MiddleClick:
      return {nmMButtonDown, nmMButtonUp};
    default:
      return {};
  }
}

QSystemTrayIcon::MessageIcon MessageIconFor(TBalloonFlags flags) {
  switch (flags) {
    case niifInfo:
      return QSystemTrayIcon::Information;
    case niifWarning:
      return QSystemTrayIcon::Warning;
    case niifError:
      return QSystemTrayIcon::Critical;
    default:
      return QSystemTrayIcon::NoIcon;
  }
}

}  // namespace

class TQtNotifyArea::TChannel : public INotifyChannel {
 public:
  TChannel(TQtNotifyArea& area, TNotifyCallbacks callbacks)
      : area_(&area), callbacks_(std::move(callbacks)), notices_(area.bus_) {
    balloons_ = QSystemTrayIcon::supportsMessages() || notices_.Available();
    QObject::connect(
        &tray_, &QSystemTrayIcon::activated, &tray_,
        [this](QSystemTrayIcon::ActivationReason reason) { Deliver(MessagesFor(reason)); },
        Qt::QueuedConnection);
  }
  ~TChannel() override {
    if (area_) area_->Forget(this);
  }

  bool Add(const TNotifyIconData& data) override {
    Apply(data);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    tray_.show();
    return true;
  }
  void Modify(const TNotifyIconData& data) override { Apply(data); }
  void Delete() override { tray_.hide(); }
  void ShowBalloon(const TBalloonData& balloon) override {
    if (!balloon.images.empty()) tray_.setIcon(TQtIconCodec::ToQIcon(balloon.images));
    const uint32_t shown = std::clamp(balloon.timeout, kMinBalloonMs, kMaxBalloonMs);
    if (!notices_.Available()) return ShowAtIcon(balloon, shown);
    notices_.Show(AppName(), balloon, shown,
                  [this, balloon, shown] { ShowAtIcon(balloon, shown); });
  }
  bool BalloonsSupported() const override { return balloons_; }

  // A copy of the callback, so that the call survives the channel's destruction.
  std::function<void()> TaskbarCreated() const { return callbacks_.taskbarCreated; }
  void Detach() { area_ = nullptr; }

 private:
  void Apply(const TNotifyIconData& data) {
    tray_.setIcon(TQtIconCodec::ToQIcon(data.images));
    tray_.setToolTip(QString::fromStdString(data.tip));
  }

  // Without a tray Qt shows nothing here, hence the notification service first.
  void ShowAtIcon(const TBalloonData& balloon, uint32_t shownMs) {
    tray_.showMessage(QString::fromStdString(balloon.title), QString::fromStdString(balloon.text),
                      MessageIconFor(balloon.flags), int(shownMs));
  }

  static QString AppName() {
    const std::string& title = Application().Title();
    return title.empty() ? QGuiApplication::applicationName() : QString::fromStdString(title);
  }

  void Deliver(const std::vector<uint32_t>& messages) {
    const auto mouse = callbacks_.mouse;
    if (!mouse) return;
    // A handler may remove the icon and free this channel.
    const TWeakRef<TChannel> alive(this, life_);
    for (uint32_t message : messages) {
      if (!alive) return;
      const QPoint at = QCursor::pos();
      mouse({message, at.x(), at.y(), CurrentShift()});
    }
  }

  TQtNotifyArea* area_;
  TNotifyCallbacks callbacks_;
  QSystemTrayIcon tray_;
  TQtDesktopNotifications notices_;
  bool balloons_ = false;
  TLifeToken life_;
};

TQtNotifyArea::TQtNotifyArea(QDBusConnection bus) : bus_(std::move(bus)) {
  watch_.setInterval(1000);
  QObject::connect(&watch_, &QTimer::timeout, [this] { Poll(); });
}

TQtNotifyArea::~TQtNotifyArea() {
  for (TChannel* channel : channels_) channel->Detach();
}

std::unique_ptr<INotifyChannel> TQtNotifyArea::CreateChannel(TNotifyCallbacks callbacks) {
  auto channel = std::make_unique<TChannel>(*this, std::move(callbacks));
  if (channels_.empty()) {
    available_ = QSystemTrayIcon::isSystemTrayAvailable();
    watch_.start();
  }
  channels_.push_back(channel.get());
  return channel;
}

void TQtNotifyArea::Forget(TChannel* channel) {
  std::erase(channels_, channel);
  if (channels_.empty()) watch_.stop();
}

void TQtNotifyArea::Poll() {
  const bool available = QSystemTrayIcon::isSystemTrayAvailable();
  const bool created = available && !available_;
  available_ = available;
  if (!created) return;
  // A callback may free any channel, so each is looked up again before it is called.
  const std::vector<TChannel*> channels = channels_;
  for (TChannel* channel : channels) {
    if (std::find(channels_.begin(), channels_.end(), channel) == channels_.end()) continue;
    if (const auto callback = channel->TaskbarCreated()) callback();
  }
}
