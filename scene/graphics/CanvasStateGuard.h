#pragma once

// The canvas state (matrix, clipping, brushes, font) saved for the length of a scope and
// restored when the scope is left, also by an exception, so that one object's drawing never
// leaks into the next.

#include "scene/graphics/Canvas.h"

class TvxCanvasStateGuard {
 public:
  explicit TvxCanvasStateGuard(TvxCanvas& canvas) : canvas_(canvas) { Save(); }
  // Saves only when `save` holds; Save may still save later, for states that only some paths
  // change.
  TvxCanvasStateGuard(TvxCanvas& canvas, bool save) : canvas_(canvas) {
    if (save) Save();
  }
  ~TvxCanvasStateGuard() {
    if (saved_) canvas_.RestoreCanvas(slot_);
  }
  TvxCanvasStateGuard(const TvxCanvasStateGuard&) = delete;
  TvxCanvasStateGuard& operator=(const TvxCanvasStateGuard&) = delete;

  // Once per guard: a second call keeps the first saved state.
  void Save() {
    if (saved_) return;
    slot_ = canvas_.SaveCanvas();
    saved_ = true;
  }

 private:
  TvxCanvas& canvas_;
  // A flag and a plain slot rather than an optional, which GCC 12 at -O3 reports as read
  // uninitialized. The slot is -1 when the backend could not save, which restores nothing.
  bool saved_ = false;
  int slot_ = -1;
};
