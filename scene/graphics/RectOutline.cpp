#include "scene/graphics/RectOutline.h"

#include <algorithm>

namespace {

TvxPoint Midpoint(const TvxPoint& a, const TvxPoint& b) {
  return {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
}

void Segment(TvxPathData& path, const TvxPoint& p, bool drawn) {
  drawn ? path.LineTo(p) : path.MoveTo(p);
}

// One corner, walked from `from` past the corner point to `to`; `before` and `after` tell
// whether the sides meeting there are drawn.
struct TvxOutlineCorner {
  TvxPoint from, corner, to;
  bool before, after;
};

void WalkCorner(TvxPathData& path, const TvxOutlineCorner& c, bool shaped, TvxCornerType type) {
  if (!shaped) {
    Segment(path, c.corner, c.before);
    return Segment(path, c.to, c.after);
  }
  // Controls at half the radius: towards the corner for round corners, towards the point
  // opposite the corner for inner ones.
  const TvxPoint inner{c.from.X + c.to.X - c.corner.X, c.from.Y + c.to.Y - c.corner.Y};
  const TvxPoint towards = type == vxCornerRound ? c.corner : inner;
  const TvxPoint c1 = Midpoint(c.from, towards), c2 = Midpoint(c.to, towards);
  switch (type) {
    case vxCornerRound:
    case vxCornerInnerRound:
      return path.CurveTo(c1, c2, c.to);
    case vxCornerBevel:
      return path.LineTo(c.to);
    case vxCornerInnerLine:
      path.LineTo(c1);
      path.LineTo(c2);
      return path.LineTo(c.to);
  }
}

// The pointer's three points in the clockwise walk along its side.
void WalkPointer(TvxPathData& path, const TvxRect& r, const TvxSidePointer& p) {
  const float a = p.BaseStart, b = p.BaseStart + p.Width, mid = p.BaseStart + p.Width / 2;
  switch (p.Side) {
    case vxSideTop:
      path.LineTo({a, r.Top});
      path.LineTo({mid, r.Top - p.Length});
      return path.LineTo({b, r.Top});
    case vxSideRight:
      path.LineTo({r.Right, a});
      path.LineTo({r.Right + p.Length, mid});
      return path.LineTo({r.Right, b});
    case vxSideBottom:
      path.LineTo({b, r.Bottom});
      path.LineTo({mid, r.Bottom + p.Length});
      return path.LineTo({a, r.Bottom});
    case vxSideLeft:
      path.LineTo({r.Left, b});
      path.LineTo({r.Left - p.Length, mid});
      return path.LineTo({r.Left, a});
  }
}

}  // namespace

void AppendRectOutline(TvxPathData& path, const TvxRect& rect, float xRadius, float yRadius,
                       TvxCorners corners, TvxSides sides, TvxCornerType cornerType,
                       const std::optional<TvxSidePointer>& pointer) {
  const float l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
  const float xr = std::min(xRadius, RectWidth(rect) / 2);
  const float yr = std::min(yRadius, RectHeight(rect) / 2);
  const bool top = HasSide(sides, vxSideTop), left = HasSide(sides, vxSideLeft);
  const bool bottom = HasSide(sides, vxSideBottom), right = HasSide(sides, vxSideRight);
  const auto side = [&](TvxSide which, const TvxPoint& to, bool drawn) {
    if (drawn && pointer && pointer->Side == which) WalkPointer(path, rect, *pointer);
    Segment(path, to, drawn);
  };
  path.MoveTo({l, t + yr});
  WalkCorner(path, {{l, t + yr}, {l, t}, {l + xr, t}, left, top},
             HasCorner(corners, vxCornerTopLeft), cornerType);
  side(vxSideTop, {r - xr, t}, top);
  WalkCorner(path, {{r - xr, t}, {r, t}, {r, t + yr}, top, right},
             HasCorner(corners, vxCornerTopRight), cornerType);
  side(vxSideRight, {r, b - yr}, right);
  WalkCorner(path, {{r, b - yr}, {r, b}, {r - xr, b}, right, bottom},
             HasCorner(corners, vxCornerBottomRight), cornerType);
  side(vxSideBottom, {l + xr, b}, bottom);
  WalkCorner(path, {{l + xr, b}, {l, b}, {l, b - yr}, bottom, left},
             HasCorner(corners, vxCornerBottomLeft), cornerType);
  side(vxSideLeft, {l, t + yr}, left);
}
