#pragma once

#include <map>

#include "platform/SingleInstance.h"

// Names held within this process: a second claim is refused and activates the first.
class THeadlessSingleInstance : public ISingleInstance {
 public:
  bool Claim(const std::string& name, std::function<void()> onActivate) override {
    auto [it, added] = holders_.try_emplace(name, onActivate);
    if (!added && it->second) it->second();
    return added;
  }

 private:
  std::map<std::string, std::function<void()>> holders_;
};
