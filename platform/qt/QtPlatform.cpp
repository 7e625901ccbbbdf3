#include "platform/qt/QtPlatform.h"

TQtPlatform::TQtPlatform(std::unique_ptr<IPowerActions> power)
    : power_(std::move(power)),
      previous_(
          InstallPlatform({&clock_, &loop_, &messageBox_, &locale_, power_.get(), &windows_})) {}

TQtPlatform::~TQtPlatform() {
  InstallPlatform(previous_);
}
