#include "scene/graphics/qt/QtPaths.h"

#include <algorithm>

std::function<QPointF(const TvxPoint&)> TvxQtPaths::FitMapping(const TvxPathData& path,
                                                               const TvxRect& target) {
  const TvxRect b = path.GetBounds();
  const double sx = RectWidth(target) / double(RectWidth(b));
  const double sy = RectHeight(target) / double(RectHeight(b));
  return [b, target, sx, sy](const TvxPoint& p) {
    return QPointF(target.Left + (p.X - b.Left) * sx, target.Top + (p.Y - b.Top) * sy);
  };
}

QPainterPath TvxQtPaths::ToQt(const TvxPathData& path,
                              const std::function<QPointF(const TvxPoint&)>& map) {
  QPainterPath result;
  const auto points = path.Points();
  const size_t count = points.size();
  for (size_t i = 0; i < count; ++i) {
    const TvxPathPoint& entry = points[i];
    switch (entry.Kind) {
      case vxPathPointMoveTo:
        result.moveTo(map(entry.Point));
        break;
      case vxPathPointLineTo:
        if (result.elementCount() == 0) result.moveTo(map(entry.Point));
        result.lineTo(map(entry.Point));
        break;
      case vxPathPointCurveTo: {
        const QPointF c1 = map(entry.Point);
        if (result.elementCount() == 0) result.moveTo(c1);
        result.cubicTo(c1, map(points[std::min(i + 1, count - 1)].Point),
                       map(points[std::min(i + 2, count - 1)].Point));
        i += 2;
        break;
      }
      case vxPathPointClose:
        result.closeSubpath();
        break;
    }
  }
  return result;
}

void TvxQtPaths::AppendToPathData(const QPainterPath& outline, TvxPathData& path) {
  const int count = outline.elementCount();
  auto point = [&](int i) {
    const QPainterPath::Element& e = outline.elementAt(i);
    return PointOf(float(e.x), float(e.y));
  };
  bool open = false;
  for (int i = 0; i < count; ++i) {
    const QPainterPath::Element& e = outline.elementAt(i);
    if (e.isMoveTo()) {
      if (open) path.ClosePath();
      path.MoveTo(point(i));
      open = true;
    } else if (e.isLineTo()) {
      path.LineTo(point(i));
    } else if (e.isCurveTo() && i + 2 < count) {
      path.CurveTo(point(i), point(i + 1), point(i + 2));
      i += 2;
    }
  }
  if (open) path.ClosePath();
}
