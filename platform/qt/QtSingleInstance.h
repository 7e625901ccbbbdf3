#pragma once

#include <QLocalServer>
#include <memory>

#include "platform/SingleInstance.h"

// The name is a local socket of the user: the first instance listens on it, a later one
// connects, asks it to come forward and is told to quit.
class TQtSingleInstance : public ISingleInstance {
 public:
  bool Claim(const std::string& name, std::function<void()> onActivate) override;

 private:
  std::unique_ptr<QLocalServer> server_;
};
