#pragma once

// The scene areas waiting to be drawn. Requests are widened to whole pixels and kept inside
// the client area, so that drawing and presenting never reach outside the canvas; many small
// areas are drawn as their union, which costs less than clipping to all of them.

#include <span>
#include <vector>

#include "platform/Window.h"
#include "scene/core/Geometry.h"

class TvxPendingRects {
 public:
  // Above this count the areas are drawn as their union.
  static constexpr size_t MaxSeparate = 20;

  // Adds `rect` widened to whole pixels (edges truncated, right and bottom one further) and
  // clipped to (0, 0, width, height). False, keeping nothing, for a rectangle with an extent
  // of exactly 0 or one that does not meet the client area.
  bool Add(const TvxRect& rect, int width, int height);
  // Replaces more than MaxSeparate areas by their union.
  void MergeIfMany();
  // Whether some area meets `rect` (shared edges do not count).
  bool AnyIntersects(const TvxRect& rect) const;
  void Clear() { rects_.clear(); }

  bool Empty() const { return rects_.empty(); }
  int Count() const { return int(rects_.size()); }
  // Index checked; an empty rectangle outside the range.
  TvxRect At(int index) const;
  std::span<const TvxRect> Rects() const { return rects_; }
  // Widens every area so that its edges fall on whole device pixels of a surface with `ratio`
  // device pixels per unit, `deviceWidth` x `deviceHeight` pixels large: at a fractional ratio a
  // whole unit ends inside a device pixel, which would be cleared but only partly repainted.
  void AlignToDevice(float ratio, int deviceWidth, int deviceHeight);
  // The areas in whole device pixels at `ratio`, as windows take dirty rectangles.
  std::vector<TBoundsI> Bounds(float ratio = 1) const;

 private:
  std::vector<TvxRect> rects_;
};
