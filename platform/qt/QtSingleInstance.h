#pragma once

#include <QSocketNotifier>
#include <memory>
#include <string>

#include "platform/SingleInstance.h"

// The name is a lock file of the user: whoever holds the lock is the first instance, and the
// system drops the lock when that process ends however it ends. The first instance also
// listens on a local socket beside it, where a later start asks it to come forward.
//
// Both live in the user's runtime folder ($XDG_RUNTIME_DIR). Without one they live in a folder
// of the user's own under the temporary folder ($TMPDIR, else /tmp), never under a shared
// name that another local user could create first and hold.
class TQtSingleInstance : public ISingleInstance {
 public:
  TQtSingleInstance() = default;
  ~TQtSingleInstance() override;
  TQtSingleInstance(const TQtSingleInstance&) = delete;
  TQtSingleInstance& operator=(const TQtSingleInstance&) = delete;

  // Throws ESingleInstance when the folder or the lock file is not the user's own.
  bool Claim(const std::string& name, std::function<void()> onActivate) override;

 private:
  void Listen(const std::string& path, std::function<void()> onActivate);

  int lock_ = -1;
  int listener_ = -1;
  std::string socketPath_;
  std::unique_ptr<QSocketNotifier> notifier_;
};
