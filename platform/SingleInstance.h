#pragma once

// One running instance per user under a name: a later start hands over to the first.

#include <functional>
#include <string>

class ISingleInstance {
 public:
  virtual ~ISingleInstance() = default;
  // Claims `name` for this process and returns true; `onActivate` then runs whenever a later
  // start asks for the first instance. Returns false when another process holds the name,
  // after asking it to come forward.
  virtual bool Claim(const std::string& name, std::function<void()> onActivate) = 0;
};
