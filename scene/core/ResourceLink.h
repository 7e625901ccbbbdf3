#pragma once

// The tie of a brush, bitmap or path to a named resource object of the style tree: found by
// name on first need, then followed by reference, and forgotten when the object is freed.

#include <string>

#include "platform/component/Unicode.h"
#include "scene/core/Object.h"

template <class T>
class TvxResourceLink : private IvxFreeNotify {
 public:
  TvxResourceLink() = default;
  ~TvxResourceLink() { Bind(nullptr); }
  TvxResourceLink(const TvxResourceLink&) = delete;
  TvxResourceLink& operator=(const TvxResourceLink&) = delete;

  // The bound object, looked up by the name when none is bound yet; null when there is none.
  T* Get() const {
    if (!resource_ && !name_.empty()) Bind(dynamic_cast<T*>(TvxObject::FindGlobalResource(name_)));
    return resource_;
  }
  const std::string& Name() const { return name_; }

  // Binds to `resource` and takes its name; false when it was bound already.
  bool Set(T* resource) {
    if (resource == resource_) return false;
    Bind(resource);
    if (resource_) name_ = resource_->ResourceName();
    return true;
  }
  // A bound object of another name is let go; false when the name is the same.
  bool SetName(const std::string& name) {
    if (name == name_) return false;
    name_ = name;
    if (resource_ && !SameText(resource_->ResourceName(), name)) Bind(nullptr);
    return true;
  }
  // Binds to what `other` is bound to (looked up) and takes its name.
  void Follow(const TvxResourceLink& other) {
    Bind(other.Get());
    name_ = other.name_;
  }

 private:
  void Bind(T* resource) const {
    if (resource == resource_) return;
    auto* self = const_cast<TvxResourceLink*>(this);
    if (resource_) resource_->RemoveFreeNotify(self);
    resource_ = resource;
    if (resource_) resource_->AddFreeNotify(self);
  }
  void FreeNotify(TvxObject* object) override {
    if (object == resource_) resource_ = nullptr;
  }

  mutable T* resource_ = nullptr;
  std::string name_;
};
