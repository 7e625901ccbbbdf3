#pragma once

// The services the program reaches its host through, installed once by the Qt or the
// headless platform, so that engine code needs no window system.

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Locale.h"
#include "platform/MessageBox.h"
#include "platform/PowerActions.h"
#include "platform/Window.h"

struct PlatformServices {
  IClock* clock = nullptr;
  IEventLoop* loop = nullptr;
  IMessageBox* messageBox = nullptr;
  ILocale* locale = nullptr;
  IPowerActions* power = nullptr;
  IWindowSystem* windows = nullptr;
  IClipboard* clipboard = nullptr;
};

// Throws std::logic_error when no platform is installed.
const PlatformServices& Platform();
// Installs the services and returns the previous set, so that an installer can restore it.
PlatformServices InstallPlatform(const PlatformServices& services);
