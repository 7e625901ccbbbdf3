#pragma once

// An icon handle made from the images of a TIcon, destroyed with its owner.

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/Icon.h"

class TWin32IconHandle {
 public:
  TWin32IconHandle() = default;
  ~TWin32IconHandle() { Reset(); }
  TWin32IconHandle(TWin32IconHandle&& other) noexcept : icon_(other.Release()) {}
  TWin32IconHandle& operator=(TWin32IconHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TWin32IconHandle(const TWin32IconHandle&) = delete;
  TWin32IconHandle& operator=(const TWin32IconHandle&) = delete;

  // The image closest to `side` pixels (the larger on a tie) as an icon of its own size with
  // its alpha channel; an empty handle when there is no usable image.
  static TWin32IconHandle FromImages(const std::vector<TIconImage>& images, int side);
  static TWin32IconHandle FromImage(const TIconImage& image);

  HICON Get() const { return icon_; }
  explicit operator bool() const { return icon_ != nullptr; }

 private:
  explicit TWin32IconHandle(HICON icon) : icon_(icon) {}
  HICON Release() { return std::exchange(icon_, nullptr); }
  void Reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

  HICON icon_ = nullptr;
};
