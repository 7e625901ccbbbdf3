#include "platform/qt/QtSingleInstance.h"

#include <unistd.h>

#include <QLocalSocket>

namespace {

constexpr int kConnectMs = 500;

// Socket names must be plain file names: the UTF-8 name in hex, per user.
QString SocketName(const std::string& name) {
  return QStringLiteral("lingchuan-%1-%2")
      .arg(QString::fromLatin1(QByteArray::fromStdString(name).toHex()))
      .arg(getuid());
}

bool AskFirstInstance(const QString& socket) {
  QLocalSocket client;
  client.connectToServer(socket);
  if (!client.waitForConnected(kConnectMs)) return false;
  client.write("activate\n");
  client.waitForBytesWritten(kConnectMs);
  client.disconnectFromServer();
  return true;
}

}  // namespace

bool TQtSingleInstance::Claim(const std::string& name, std::function<void()> onActivate) {
  const QString socket = SocketName(name);
  if (AskFirstInstance(socket)) return false;
  QLocalServer::removeServer(socket);  // left behind by an instance that crashed
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socket)) return true;  // run anyway: one instance is better than none
  QObject::connect(server_.get(), &QLocalServer::newConnection, [this, onActivate] {
    while (QLocalSocket* connection = server_->nextPendingConnection()) {
      QObject::connect(connection, &QLocalSocket::disconnected, connection,
                       &QLocalSocket::deleteLater);
      onActivate();
    }
  });
  return true;
}
