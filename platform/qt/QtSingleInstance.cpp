#include "platform/qt/QtSingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Closes a descriptor at the end of its scope unless it was handed on.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

[[noreturn]] void Refuse(const std::string& path, const char* what) {
  throw ESingleInstance(path + " " + what + "; remove it and start again");
}

// A folder made here may have been made first by someone else, or be a link to somewhere
// else: it must be a real folder of ours, and no one else may look inside.
void CheckOwnFolder(const std::string& folder) {
  const TDescriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info;
  if (fd.Get() < 0 || fstat(fd.Get(), &info) != 0 || info.st_uid != getuid())
    Refuse(folder, "is not a private folder of this user");
  if ((info.st_mode & 077) != 0 && fchmod(fd.Get(), 0700) != 0)
    Refuse(folder, "cannot be made private");
}

// The user's runtime folder, or else a folder of the user's own under the temporary folder;
// empty when none can be made.
std::string InstanceFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return runtime;
  const char* temp = std::getenv("TMPDIR");
  const std::string folder =
      std::string(temp && *temp ? temp : "/tmp") + "/lingchuan-" + std::to_string(getuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  CheckOwnFolder(folder);
  return folder;
}

// The UTF-8 name in hex, so that any name makes a plain file name.
std::string PathFor(const std::string& folder, const std::string& name, const char* suffix) {
  std::string path = folder + "/lingchuan-";
  static constexpr char kHex[] = "0123456789abcdef";
  for (const unsigned char c : name) {
    path += kHex[c >> 4];
    path += kHex[c & 15];
  }
  return path + "-" + std::to_string(getuid()) + suffix;
}

// The lock file, never through a link and only when it is the user's own; -1 when it cannot
// be opened for an ordinary reason (a read-only or full disk).
int OpenLock(const std::string& path) {
  TDescriptor fd(open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.Get() < 0) {
    if (errno == ELOOP || errno == EACCES || errno == EPERM)
      Refuse(path, "is not a file of this user");
    return -1;
  }
  struct stat info;
  if (fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid())
    Refuse(path, "is not a file of this user");
  return fd.Release();
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
  const std::string folder = InstanceFolder();
  // Without a lock file to hold, run anyway: one instance too many beats none.
  if (folder.empty()) return true;
  TDescriptor fd(OpenLock(PathFor(folder, name, ".lock")));
  if (fd.Get() < 0) return true;
  if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    AskFirstInstance(PathFor(folder, name, ".socket"));
    return false;
  }
  lock_ = fd.Release();
  Listen(PathFor(folder, name, ".socket"), std::move(onActivate));
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
