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

// A point at c + a * u + b * v.
TvxPoint At(const TvxPoint& c, float a, const TvxPoint& u, float b, const TvxPoint& v) {
  return {c.X + a * u.X + b * v.X, c.Y + a * u.Y + b * v.Y};
}

// One corner of the closed outline, from c + a on the incoming edge to c + b on the outgoing
// one; controls lie Kappa radii from the corner (or from the point opposite it).
void AddCorner(TvxPathData& path, bool first, bool shaped, TvxCornerType type, const TvxPoint& c,
               const TvxPoint& a, const TvxPoint& b) {
  constexpr float k = CornerKappa;
  const TvxPoint from = At(c, 1, a, 0, b), to = At(c, 0, a, 1, b);
  first ? path.MoveTo(from) : path.LineTo(from);
  if (!shaped) {
    path.LineTo(c);
    return path.LineTo(to);
  }
  switch (type) {
    case vxCornerRound:
      return path.CurveTo(At(c, k, a, 0, b), At(c, 0, a, k, b), to);
    case vxCornerBevel:
      return path.LineTo(to);
    case vxCornerInnerRound:
      return path.CurveTo(At(c, 1, a, k, b), At(c, k, a, 1, b), to);
    case vxCornerInnerLine:
      path.LineTo(At(c, 1, a, k, b));
      path.LineTo(At(c, k, a, 1, b));
      return path.LineTo(to);
  }
}

}  // namespace

void AppendCornerOutline(TvxPathData& path, const TvxRect& rect, float xRadius, float yRadius,
                         TvxCorners corners, TvxCornerType cornerType) {
  const float width = RectWidth(rect), height = RectHeight(rect);
  if (width < 2 * xRadius) xRadius = width / 2;
  if (height < 2 * yRadius) yRadius = height / 2;
  const TvxPoint dx{xRadius, 0}, dy{0, yRadius}, ndx{-xRadius, 0}, ndy{0, -yRadius};
  const float l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
  AddCorner(path, true, HasCorner(corners, vxCornerTopLeft), cornerType, {l, t}, dy, dx);
  AddCorner(path, false, HasCorner(corners, vxCornerTopRight), cornerType, {r, t}, ndx, dy);
  AddCorner(path, false, HasCorner(corners, vxCornerBottomRight), cornerType, {r, b}, ndy, ndx);
  AddCorner(path, false, HasCorner(corners, vxCornerBottomLeft), cornerType, {l, b}, dx, ndy);
  path.ClosePath();
}

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
