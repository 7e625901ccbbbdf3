#pragma once

// The one weak reference of the program. An object that may be outlived by pointers to it keeps
// a TLifeToken; a TWeakRef made from it reads null once the token has expired, however the
// memory is reused afterwards, so a stranger at the same address is never mistaken for it.

#include <memory>
#include <type_traits>

class TLifeToken {
 public:
  TLifeToken() = default;
  TLifeToken(const TLifeToken&) = delete;
  TLifeToken& operator=(const TLifeToken&) = delete;
  ~TLifeToken() = default;

  // The life that weak references observe; made on first need, so objects nobody watches pay
  // nothing.
  std::weak_ptr<const void> Observe() const {
    if (!life_) life_ = std::make_shared<char>();
    return life_;
  }
  // Ends the life before the owner's own destruction finishes, so that weak references read
  // null while the owner's members are being torn down.
  void Expire() { life_.reset(); }

 private:
  // Made lazily by the const Observe: watching an object does not change it.
  mutable std::shared_ptr<char> life_;
};

// A pointer that reads null once its object's life has ended. `T` provides `Life()` returning
// its TLifeToken (every TComponent does).
template <class T>
class TWeakRef {
 public:
  TWeakRef() = default;
  TWeakRef(T* object) : object_(object) {  // NOLINT: converts like the raw pointer it replaces
    if (object) life_ = object->Life().Observe();
  }
  // For objects that keep their token apart from the class that is pointed to.
  TWeakRef(T* object, const TLifeToken& token) : object_(object), life_(token.Observe()) {}

  T* Get() const { return life_.expired() ? nullptr : object_; }
  operator T*() const { return Get(); }  // NOLINT: reads like the raw pointer it replaces
  T* operator->() const { return Get(); }
  void Reset() { *this = TWeakRef(); }

 private:
  T* object_ = nullptr;
  std::weak_ptr<const void> life_;
};
