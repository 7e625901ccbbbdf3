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

// Walks the entries as lines, cubics and closes. A cubic missing its last entries (bad data)
// ends at the last point there is.
void TvxQtPaths::ForEachSegment(const TvxPathData& path,
                                const std::function<QPointF(const TvxPoint&)>& map,
                                const std::function<void(const Segment&)>& draw) {
  const auto points = path.Points();
  const size_t count = points.size();
  QPointF current, start;
  bool open = false;
  for (size_t i = 0; i < count; ++i) {
    const TvxPathPoint& entry = points[i];
    switch (entry.Kind) {
      case vxPathPointMoveTo:
        current = start = map(entry.Point);
        open = true;
        break;
      case vxPathPointLineTo: {
        const QPointF to = map(entry.Point);
        if (open) draw({false, current, {}, {}, to});
        current = to;
        if (!open) start = to;
        open = true;
        break;
      }
      case vxPathPointCurveTo: {
        const QPointF c1 = map(entry.Point);
        const QPointF c2 = map(points[std::min(i + 1, count - 1)].Point);
        const QPointF to = map(points[std::min(i + 2, count - 1)].Point);
        i += 2;
        if (!open) current = start = c1;
        draw({true, current, c1, c2, to});
        current = to;
        open = true;
        break;
      }
      case vxPathPointClose:
        if (open) draw({false, current, {}, {}, start});
        current = start;
        break;
    }
  }
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
