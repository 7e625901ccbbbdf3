#include "scene/graphics/qt/QtPaths.h"

#include <algorithm>

namespace {

QPointF Q(float x, float y) {
  return QPointF(x, y);
}

// Adds one corner: A = C + a lies on the incoming edge, B = C + b on the outgoing one.
void AddCorner(QPainterPath& path, bool first, bool shaped, TvxCornerType type, QPointF c,
               QPointF a, QPointF b) {
  constexpr double k = TvxQtPaths::Kappa;
  const QPointF from = c + a;
  const QPointF to = c + b;
  if (first) {
    path.moveTo(from);
  } else {
    path.lineTo(from);
  }
  if (!shaped) {
    path.lineTo(c);
    path.lineTo(to);
    return;
  }
  switch (type) {
    case vxCornerRound:
      path.cubicTo(c + k * a, c + k * b, to);
      break;
    case vxCornerBevel:
      path.lineTo(to);
      break;
    case vxCornerInnerRound:
      path.cubicTo(c + a + k * b, c + b + k * a, to);
      break;
    case vxCornerInnerLine:
      path.lineTo(c + a + k * b);
      path.lineTo(c + b + k * a);
      path.lineTo(to);
      break;
  }
}

}  // namespace

QPainterPath TvxQtPaths::CornerOutline(const TvxRect& r, float xRadius, float yRadius,
                                       TvxCorners corners, TvxCornerType type) {
  const float width = RectWidth(r);
  const float height = RectHeight(r);
  if (width < 2 * xRadius) xRadius = width / 2;
  if (height < 2 * yRadius) yRadius = height / 2;
  const QPointF dx(xRadius, 0);
  const QPointF dy(0, yRadius);
  QPainterPath path;
  AddCorner(path, true, HasCorner(corners, vxCornerTopLeft), type, Q(r.Left, r.Top), dy, dx);
  AddCorner(path, false, HasCorner(corners, vxCornerTopRight), type, Q(r.Right, r.Top), -dx, dy);
  AddCorner(path, false, HasCorner(corners, vxCornerBottomRight), type, Q(r.Right, r.Bottom), -dy,
            -dx);
  AddCorner(path, false, HasCorner(corners, vxCornerBottomLeft), type, Q(r.Left, r.Bottom), dx,
            -dy);
  path.closeSubpath();
  return path;
}

TvxRect TvxQtPaths::RawBounds(const TvxPathData& path) {
  TvxRect bounds{65535, 65535, -65535, -65535};
  for (const TvxPathPoint& p : path.Points()) {
    if (p.Kind == vxPathPointClose) continue;
    bounds.Left = std::min(bounds.Left, p.Point.X);
    bounds.Top = std::min(bounds.Top, p.Point.Y);
    bounds.Right = std::max(bounds.Right, p.Point.X);
    bounds.Bottom = std::max(bounds.Bottom, p.Point.Y);
  }
  return bounds;
}

bool TvxQtPaths::HasArea(const TvxPathData& path) {
  if (path.IsEmpty()) return false;
  const TvxRect b = RawBounds(path);
  return RectWidth(b) * RectHeight(b) > 0;
}

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
