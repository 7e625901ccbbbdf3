#pragma once

// One running instance per user under a name: a later start hands over to the first.

#include <functional>
#include <string>

#include "platform/component/Exceptions.h"

// The place of the name is not safe to use (another user could hold or redirect it).
class ESingleInstance : public Exception {
 public:
  using Exception::Exception;
};

class ISingleInstance {
 public:
  virtual ~ISingleInstance() = default;
  // Claims `name` for this process and returns true; `onActivate` then runs whenever a later
  // start asks for the first instance. Returns false when another process holds the name,
  // after asking it to come forward. Throws ESingleInstance when the name cannot be held
  // safely; the message is one line.
  virtual bool Claim(const std::string& name, std::function<void()> onActivate) = 0;
};
