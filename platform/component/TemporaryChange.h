#pragma once

// A value changed for the length of a scope and given back when the scope is left, also by
// an exception: busy flags, quiet updates, locks.

#include <utility>

template <class T>
class TTemporaryChange {
 public:
  TTemporaryChange(T& target, T value) : target_(target), old_(std::exchange(target, value)) {}
  ~TTemporaryChange() { target_ = std::move(old_); }
  TTemporaryChange(const TTemporaryChange&) = delete;
  TTemporaryChange& operator=(const TTemporaryChange&) = delete;

 private:
  T& target_;
  T old_;
};
