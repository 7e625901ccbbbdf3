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
  // The areas in whole pixels, as windows take dirty rectangles.
  std::vector<TBoundsI> Bounds() const;

 private:
  std::vector<TvxRect> rects_;
};
