#include "scene/host/PendingRects.h"

#include <cmath>

bool TvxPendingRects::Add(const TvxRect& rect, int width, int height) {
  if (RectWidth(rect) == 0 || RectHeight(rect) == 0) return false;
  for (float edge : {rect.Left, rect.Top, rect.Right, rect.Bottom})
    if (std::isnan(edge)) return false;
  // Swapped edges still name the area between them.
  const TvxRect r = NormalizeRect(rect);
  const TvxRect widened{std::trunc(r.Left), std::trunc(r.Top), std::trunc(r.Right) + 1,
                        std::trunc(r.Bottom) + 1};
  TvxRect clipped;
  if (!IntersectRect(clipped, widened, {0, 0, float(width), float(height)})) return false;
  rects_.push_back(clipped);
  return true;
}

void TvxPendingRects::MergeIfMany() {
  if (rects_.size() <= MaxSeparate) return;
  TvxRect all = rects_.front();
  for (const TvxRect& r : rects_) all = UnionRect(all, r);
  rects_.assign(1, all);
}

bool TvxPendingRects::AnyIntersects(const TvxRect& rect) const {
  TvxRect common;
  for (const TvxRect& r : rects_)
    if (IntersectRect(common, r, rect)) return true;
  return false;
}

TvxRect TvxPendingRects::At(int index) const {
  if (index < 0 || index >= Count()) return {};
  return rects_[size_t(index)];
}

std::vector<TBoundsI> TvxPendingRects::Bounds() const {
  std::vector<TBoundsI> bounds;
  bounds.reserve(rects_.size());
  for (const TvxRect& r : rects_)
    bounds.push_back({int(r.Left), int(r.Top), int(RectWidth(r)), int(RectHeight(r))});
  return bounds;
}
