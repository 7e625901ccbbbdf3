#include "platform/qt/QtSingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

// Per user, in the user's runtime folder when there is one; the UTF-8 name in hex so that
// any name makes a plain file name.
std::string PathFor(const std::string& name, const char* suffix) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string path = runtime && *runtime ? runtime : "/tmp";
  path += "/lingchuan-";
  static constexpr char kHex[] = "0123456789abcdef";
  for (const unsigned char c : name) {
    path += kHex[c >> 4];
    path += kHex[c & 15];
  }
  return path + "-" + std::to_string(getuid()) + suffix;
}

// False when the path does not fit a socket address.
bool SocketAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

void AskFirstInstance(const std::string& path) {
  sockaddr_un address;
  if (!SocketAddress(path, address)) return;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  // Connecting is the whole request: nothing is written, so a first instance that closes the
  // connection at once cannot raise a broken pipe here.
  connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  close(fd);
}

}  // namespace

TQtSingleInstance::~TQtSingleInstance() {
  notifier_.reset();
  if (listener_ >= 0) {
    close(listener_);
    unlink(socketPath_.c_str());
  }
  if (lock_ >= 0) close(lock_);
}

bool TQtSingleInstance::Claim(const std::string& name, std::function<void()> onActivate) {
  const int fd = open(PathFor(name, ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // Without a lock file to hold, run anyway: one instance too many beats none.
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    AskFirstInstance(PathFor(name, ".socket"));
    return false;
  }
  lock_ = fd;
  Listen(PathFor(name, ".socket"), std::move(onActivate));
  return true;
}

void TQtSingleInstance::Listen(const std::string& path, std::function<void()> onActivate) {
  sockaddr_un address;
  if (!SocketAddress(path, address)) return;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  unlink(path.c_str());  // left behind by an instance that crashed; we hold the lock now
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 4) != 0) {
    close(fd);
    return;
  }
  listener_ = fd;
  socketPath_ = path;
  notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [fd, onActivate] {
    for (int connection; (connection = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
      close(connection);
      onActivate();
    }
  });
}
