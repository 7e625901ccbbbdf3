#pragma once

// Moving or resizing a form by the pointer, as a press on empty scene space or on a size grip
// starts it. Points are in the form's client coordinates; the form follows the pointer, so a
// point keeps its meaning while the form moves under it.

#include "platform/Window.h"
#include "scene/core/Geometry.h"

class TvxWindowDrag {
 public:
  enum class TMode { None, Move, Resize };

  void BeginMove(const TvxPoint& press);
  // `width` and `height` are the form's client size when the resize begins.
  void BeginResize(const TvxPoint& press, int width, int height);
  void End() { mode_ = TMode::None; }
  TMode Mode() const { return mode_; }
  bool Active() const { return mode_ != TMode::None; }

  // The form's bounds for the pointer at `pointer`, given its current `form` bounds. A move
  // keeps the press point under the pointer; a resize grows the size by the pointer's travel
  // since the last call (never below 1 x 1) and keeps the top-left corner.
  TBoundsI Follow(const TvxPoint& pointer, const TBoundsI& form);

 private:
  TMode mode_ = TMode::None;
  TvxPoint press_;
  int width_ = 0;
  int height_ = 0;
};
