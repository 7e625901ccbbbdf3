#include "platform/qt/QtDesktopNotifications.h"

#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <climits>

#include "QtTestApp_support.h"
#include "platform/Application.h"
#include "platform/qt/QtNotifyArea.h"

namespace {

// A notification service that records each Notify call and answers with a new id, or with an
// error while it refuses.
class TRecordingService : public QDBusVirtualObject {
 public:
  struct TCall {
    QString appName;
    uint replacesId = 0;
    QString appIcon, summary, body;
    QVariantMap hints;
    int timeout = 0;
  };

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
    if (message.member() != "Notify") return false;
    const QList<QVariant> a = message.arguments();
    calls.push_back({a[0].toString(), a[1].toUInt(), a[2].toString(), a[3].toString(),
                     a[4].toString(), qdbus_cast<QVariantMap>(a[6]), a[7].toInt()});
    bus.send(refuse ? message.createErrorReply(QDBusError::Failed, "refused")
                    : message.createReply(QVariant::fromValue(uint(100 + calls.size()))));
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  std::vector<TCall> calls;
  bool refuse = false;
};

// The application's title for the length of a scope.
class TTitle {
 public:
  explicit TTitle(const std::string& title) : old_(Application().Title()) {
    Application().SetTitle(title);
  }
  ~TTitle() { Application().SetTitle(old_); }

 private:
  std::string old_;
};

// A session bus of the test's own, with one connection for the service and one for the
// program.
class DesktopNotifications : public ::testing::Test {
 protected:
  void SetUp() override {
    QtTestApp();
    const QString daemonPath = QStandardPaths::findExecutable("dbus-daemon");
    if (daemonPath.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    daemon_.start(daemonPath, {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(daemon_.waitForStarted());
    ASSERT_TRUE(daemon_.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
    service_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "svc"));
    client_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "app"));
    ASSERT_TRUE(service_->isConnected() && client_->isConnected());
  }
  void TearDown() override {
    service_.reset();
    client_.reset();
    QDBusConnection::disconnectFromBus("svc");
    QDBusConnection::disconnectFromBus("app");
    daemon_.kill();
    daemon_.waitForFinished();
  }

  void Offer() {
    ASSERT_TRUE(service_->registerVirtualObject(TQtDesktopNotifications::kPath, &recorder_));
    ASSERT_TRUE(service_->registerService(TQtDesktopNotifications::kService));
  }
  // Runs the event loop until `done` or about `rounds` times 10 ms have passed.
  template <class F>
  static void PumpUntil(F done, int rounds = 400) {
    for (int i = 0; i < rounds && !done(); ++i) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      QThread::msleep(5);
    }
  }
  // Lets answers still on their way arrive.
  static void Settle() {
    PumpUntil([] { return false; }, 30);
  }

  QProcess daemon_;
  std::unique_ptr<QDBusConnection> service_, client_;
  TRecordingService recorder_;
};

const TBalloonData kWarning{
    "定时关机提示", "系统将在10后关闭，请保存好当前的工作！", niifWarning, 10, {}};

TEST_F(DesktopNotifications, BalloonsReachTheServiceAndEachReplacesTheLast) {
  Offer();
  const TTitle title("翎川定时关机");
  TQtNotifyArea area(*client_);
  auto channel = area.CreateChannel({});
  EXPECT_TRUE(channel->BalloonsSupported());
  channel->ShowBalloon(kWarning);
  PumpUntil([&] { return recorder_.calls.size() == 1; });
  ASSERT_EQ(1u, recorder_.calls.size());
  const auto& first = recorder_.calls[0];
  EXPECT_EQ("翎川定时关机", first.appName);
  EXPECT_EQ(0u, first.replacesId);
  EXPECT_EQ("dialog-warning", first.appIcon);
  EXPECT_EQ("定时关机提示", first.summary);
  EXPECT_EQ("系统将在10后关闭，请保存好当前的工作！", first.body);
  EXPECT_EQ(1, first.hints.value("urgency").toInt());
  // Ten milliseconds is below what a balloon stays at least.
  EXPECT_EQ(int(TQtNotifyArea::kMinBalloonMs), first.timeout);

  // The reply's id is taken in the background; the next notice replaces that one.
  Settle();
  channel->ShowBalloon({"t", "x", niifError, 60000, {}});
  PumpUntil([&] { return recorder_.calls.size() == 2; });
  ASSERT_EQ(2u, recorder_.calls.size());
  EXPECT_EQ(101u, recorder_.calls[1].replacesId);
  EXPECT_EQ("dialog-error", recorder_.calls[1].appIcon);
  EXPECT_EQ(2, recorder_.calls[1].hints.value("urgency").toInt());
  EXPECT_EQ(int(TQtNotifyArea::kMaxBalloonMs), recorder_.calls[1].timeout);
}

TEST_F(DesktopNotifications, WithoutTheServiceTheTrayIsAskedAndLaterServicesAreFound) {
  TQtNotifyArea area(*client_);
  auto channel = area.CreateChannel({});
  // Off screen there is no tray, and no service yet: nothing shows balloons.
  EXPECT_EQ(QSystemTrayIcon::supportsMessages(), channel->BalloonsSupported());
  channel->ShowBalloon(kWarning);
  Settle();
  EXPECT_TRUE(recorder_.calls.empty());

  Offer();
  channel->ShowBalloon(kWarning);
  PumpUntil([&] { return !recorder_.calls.empty(); });
  EXPECT_EQ(1u, recorder_.calls.size());
}

TEST_F(DesktopNotifications, ARefusedNoticeFallsBackAndNoAnswerOutlivesItsSender) {
  Offer();
  recorder_.refuse = true;
  int fallbacks = 0;
  {
    TQtDesktopNotifications notices(*client_);
    ASSERT_TRUE(notices.Available());
    notices.Show("app", kWarning, 10000, [&] { ++fallbacks; });
    PumpUntil([&] { return fallbacks == 1; });
    EXPECT_EQ(1, fallbacks);
  }
  // Gone before its answer came: the answer runs nothing.
  {
    TQtDesktopNotifications notices(*client_);
    notices.Show("app", kWarning, 10000, [&] { ++fallbacks; });
  }
  PumpUntil([&] { return recorder_.calls.size() == 2; });
  Settle();
  EXPECT_EQ(2u, recorder_.calls.size());
  EXPECT_EQ(1, fallbacks);
}

TEST(DesktopNotice, SeverityGivesTheIconAndTheUrgencyAndTheTimeoutStaysPositive) {
  const struct {
    TBalloonFlags flags;
    const char* icon;
    int urgency;
  } cases[] = {{niifNone, "", 1},
               {niifInfo, "dialog-information", 1},
               {niifWarning, "dialog-warning", 1},
               {niifError, "dialog-error", 2}};
  for (const auto& c : cases) {
    const TDesktopNotice notice =
        TQtDesktopNotifications::NoticeFor("a", {"t", "x", c.flags, 0, {}}, 10000, 7);
    EXPECT_EQ(c.icon, notice.appIcon);
    EXPECT_EQ(c.urgency, notice.hints.value("urgency").toInt());
    EXPECT_EQ(7u, notice.replacesId);
    EXPECT_EQ(10000, notice.expireTimeout);
  }
  // The service takes a signed 32-bit timeout; larger values must not turn negative.
  EXPECT_EQ(INT_MAX, TQtDesktopNotifications::NoticeFor("a", {}, 0x80000000u, 0).expireTimeout);
  EXPECT_EQ(INT_MAX, TQtDesktopNotifications::NoticeFor("a", {}, INT_MAX, 0).expireTimeout);
}

}  // namespace
