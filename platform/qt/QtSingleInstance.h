#pragma once

#include <QSocketNotifier>
#include <memory>
#include <string>

#include "platform/SingleInstance.h"

// The name is a lock file of the user: whoever holds the lock is the first instance, and the
// system drops the lock when that process ends however it ends. The first instance also
// listens on a local socket beside it, where a later start asks it to come forward.
class TQtSingleInstance : public ISingleInstance {
 public:
  TQtSingleInstance() = default;
  ~TQtSingleInstance() override;
  TQtSingleInstance(const TQtSingleInstance&) = delete;
  TQtSingleInstance& operator=(const TQtSingleInstance&) = delete;

  bool Claim(const std::string& name, std::function<void()> onActivate) override;

 private:
  void Listen(const std::string& path, std::function<void()> onActivate);

  int lock_ = -1;
  int listener_ = -1;
  std::string socketPath_;
  std::unique_ptr<QSocketNotifier> notifier_;
};
