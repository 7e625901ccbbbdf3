#include "platform/NotifyArea.h"

#include <utility>

namespace {

INotifyArea*& Installed() {
  static INotifyArea* area = nullptr;
  return area;
}

}  // namespace

INotifyArea* NotifyArea() {
  return Installed();
}

INotifyArea* InstallNotifyArea(INotifyArea* area) {
  return std::exchange(Installed(), area);
}
