#include "platform/win32/Win32Platform.h"

TWin32Platform::TWin32Platform(std::unique_ptr<IPowerActions> power)
    : power_(std::move(power)),
      previous_(InstallPlatform(
          {&clock_, &loop_, &messageBox_, &locale_, power_.get(), &windows_, &clipboard_})),
      previousArea_(InstallNotifyArea(&notifyArea_)),
      previousCodec_(InstallIconCodec(&iconCodec_)),
      previousMenus_(InstallMenuService(&menus_)) {}

TWin32Platform::~TWin32Platform() {
  InstallMenuService(previousMenus_);
  InstallIconCodec(previousCodec_);
  InstallNotifyArea(previousArea_);
  InstallPlatform(previous_);
}
