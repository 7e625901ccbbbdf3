#pragma once

#include <utility>

// Sets a value for the life of the scope and puts the old one back.
//
//   const TvxScopedValue<bool> busy(painting_, true);
template <class T>
class TvxScopedValue {
 public:
  TvxScopedValue(T& target, T value) : target_(target), old_(std::move(target)) {
    target = std::move(value);
  }
  ~TvxScopedValue() { target_ = std::move(old_); }
  TvxScopedValue(const TvxScopedValue&) = delete;
  TvxScopedValue& operator=(const TvxScopedValue&) = delete;

 private:
  T& target_;
  T old_;
};
