#include "platform/Platform.h"

#include <stdexcept>

namespace {
PlatformServices current;
}

const PlatformServices& Platform() {
  if (!current.clock || !current.loop || !current.messageBox || !current.locale || !current.power) {
    throw std::logic_error("no platform services installed");
  }
  return current;
}

PlatformServices InstallPlatform(const PlatformServices& services) {
  PlatformServices previous = current;
  current = services;
  return previous;
}
