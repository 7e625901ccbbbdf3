#include "platform/MenuService.h"

#include <utility>

namespace {

IMenuService*& Installed() {
  static IMenuService* service = nullptr;
  return service;
}

}  // namespace

IMenuService* MenuService() {
  return Installed();
}

IMenuService* InstallMenuService(IMenuService* service) {
  return std::exchange(Installed(), service);
}
