#include "scene/host/PendingRects.h"

#include <algorithm>
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

void TvxPendingRects::AlignToDevice(float ratio, int deviceWidth, int deviceHeight) {
  if (ratio == 1 || !(ratio > 0)) return;
  const float right = float(deviceWidth), bottom = float(deviceHeight);
  for (TvxRect& r : rects_) {
    r = {std::floor(r.Left * ratio) / ratio, std::floor(r.Top * ratio) / ratio,
         std::min(std::ceil(r.Right * ratio), right) / ratio,
         std::min(std::ceil(r.Bottom * ratio), bottom) / ratio};
  }
}

std::vector<TBoundsI> TvxPendingRects::Bounds(float ratio) const {
  std::vector<TBoundsI> bounds;
  bounds.reserve(rects_.size());
  // Aligned edges lie a rounding error away from whole device pixels; others widen outward.
  const auto low = [ratio](float edge) { return int(std::floor(edge * ratio + 1.0f / 64)); };
  const auto high = [ratio](float edge) { return int(std::ceil(edge * ratio - 1.0f / 64)); };
  for (const TvxRect& r : rects_) {
    const int left = low(r.Left), top = low(r.Top);
    bounds.push_back({left, top, high(r.Right) - left, high(r.Bottom) - top});
  }
  return bounds;
}
