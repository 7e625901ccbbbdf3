#include "platform/headless/HeadlessPlatform.h"

THeadlessPlatform::THeadlessPlatform()
    : clock_(EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0, 0)),
      previous_(InstallPlatform(
          {&clock_, &clock_, &messageBox_, &locale_, &power_, &windows_, &clipboard_})),
      previousArea_(InstallNotifyArea(&notifyArea_)) {}

THeadlessPlatform::~THeadlessPlatform() {
  InstallNotifyArea(previousArea_);
  InstallPlatform(previous_);
}
