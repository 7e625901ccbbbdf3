#include "scene/host/WindowDrag.h"

#include <algorithm>
#include <cmath>

namespace {

// Pointer travel comes from window messages; huge or NaN values must not overflow an int.
int RoundToPixel(double value) {
  if (!(value > -1e9)) return -1000000000;
  if (value > 1e9) return 1000000000;
  return int(RoundHalfEven(value));
}

}  // namespace

void TvxWindowDrag::BeginMove(const TvxPoint& press) {
  mode_ = TMode::Move;
  press_ = press;
}

void TvxWindowDrag::BeginResize(const TvxPoint& press, int width, int height) {
  mode_ = TMode::Resize;
  press_ = press;
  width_ = width;
  height_ = height;
}

TBoundsI TvxWindowDrag::Follow(const TvxPoint& pointer, const TBoundsI& form) {
  const double dx = double(pointer.X) - press_.X;
  const double dy = double(pointer.Y) - press_.Y;
  if (mode_ == TMode::Move)
    return {RoundToPixel(dx + form.left), RoundToPixel(dy + form.top), form.width, form.height};
  if (mode_ != TMode::Resize) return form;
  width_ = std::max(RoundToPixel(dx + width_), 1);
  height_ = std::max(RoundToPixel(dy + height_), 1);
  press_ = pointer;
  return {form.left, form.top, width_, height_};
}
