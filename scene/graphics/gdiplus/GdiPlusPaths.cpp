#include "scene/graphics/gdiplus/GdiPlusPaths.h"

#include <algorithm>
#include <vector>

using Gdiplus::PointF;

TvxGdiPlusPaths::Mapping TvxGdiPlusPaths::FitMapping(const TvxPathData& path,
                                                     const TvxRect& target) {
  const TvxRect b = path.GetBounds();
  const double sx = RectWidth(target) / double(RectWidth(b));
  const double sy = RectHeight(target) / double(RectHeight(b));
  return [b, target, sx, sy](const TvxPoint& p) {
    return PointF(float(target.Left + (p.X - b.Left) * sx), float(target.Top + (p.Y - b.Top) * sy));
  };
}

TvxGdiPlusPaths::Mapping TvxGdiPlusPaths::Identity() {
  return [](const TvxPoint& p) { return PointF(p.X, p.Y); };
}

// A cubic missing its last entries (bad data) ends at the last point there is.
void TvxGdiPlusPaths::Append(const TvxPathData& path, const Mapping& map,
                             Gdiplus::GraphicsPath& out) {
  const auto points = path.Points();
  const size_t count = points.size();
  PointF current;
  bool open = false;
  for (size_t i = 0; i < count; ++i) {
    const TvxPathPoint& entry = points[i];
    switch (entry.Kind) {
      case vxPathPointMoveTo:
        out.StartFigure();
        current = map(entry.Point);
        open = true;
        break;
      case vxPathPointLineTo: {
        const PointF to = map(entry.Point);
        if (open) out.AddLine(current, to);
        current = to;
        open = true;
        break;
      }
      case vxPathPointCurveTo: {
        const PointF c1 = map(entry.Point);
        const PointF c2 = map(points[std::min(i + 1, count - 1)].Point);
        const PointF to = map(points[std::min(i + 2, count - 1)].Point);
        i += 2;
        out.AddBezier(open ? current : c1, c1, c2, to);
        current = to;
        open = true;
        break;
      }
      case vxPathPointClose:
        out.CloseFigure();
        open = false;
        break;
    }
  }
}

void TvxGdiPlusPaths::AppendToPathData(const Gdiplus::GraphicsPath& outline, TvxPathData& path) {
  const INT count = outline.GetPointCount();
  if (count <= 0) return;
  std::vector<PointF> points(count);
  std::vector<BYTE> types(count);
  if (outline.GetPathPoints(points.data(), count) != Gdiplus::Ok ||
      outline.GetPathTypes(types.data(), count) != Gdiplus::Ok) {
    return;
  }
  const auto at = [&points](INT i) { return PointOf(points[i].X, points[i].Y); };
  bool open = false;
  for (INT i = 0; i < count; ++i) {
    const BYTE kind = types[i] & Gdiplus::PathPointTypePathTypeMask;
    bool closes = types[i] & Gdiplus::PathPointTypeCloseSubpath;
    if (kind == Gdiplus::PathPointTypeStart) {
      if (open) path.ClosePath();
      path.MoveTo(at(i));
      open = true;
    } else if (kind == Gdiplus::PathPointTypeBezier && i + 2 < count) {
      path.CurveTo(at(i), at(i + 1), at(i + 2));
      closes = types[i + 2] & Gdiplus::PathPointTypeCloseSubpath;
      i += 2;
    } else {
      path.LineTo(at(i));
    }
    if (closes && open) {
      path.ClosePath();
      open = false;
    }
  }
  if (open) path.ClosePath();
}
