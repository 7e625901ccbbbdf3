#pragma once

// Outlines the canvas builds: the shaped-corner rectangle, engine paths stretched into a target
// rectangle, and Qt outlines read back into engine paths.

#include <QPainterPath>
#include <QRectF>
#include <functional>

#include "scene/core/Geometry.h"
#include "scene/graphics/GraphicsTypes.h"
#include "scene/graphics/PathData.h"

class TvxQtPaths {
 public:
  // Distance of a corner's Bézier control points from the corner, in units of the radius.
  static constexpr float Kappa = 0.4477152502f;

  // The rectangle walked clockwise from the top-left corner; corners outside `corners` stay
  // square. Radii larger than half the side are cut to half.
  static QPainterPath CornerOutline(const TvxRect& rect, float xRadius, float yRadius,
                                    TvxCorners corners, TvxCornerType cornerType);

  // The bounds of a path's points (Close entries excluded), without growing a zero extent.
  static TvxRect RawBounds(const TvxPathData& path);
  // False for a path with nothing to draw: no entries or bounds of zero area.
  static bool HasArea(const TvxPathData& path);
  // Maps path points from the path's bounds onto `target`.
  static std::function<QPointF(const TvxPoint&)> FitMapping(const TvxPathData& path,
                                                            const TvxRect& target);
  // The path as one Qt path, each point mapped.
  static QPainterPath ToQt(const TvxPathData& path,
                           const std::function<QPointF(const TvxPoint&)>& map);
  // One segment of a path for stroking segment by segment: a line or a cubic.
  struct Segment {
    bool curve = false;
    QPointF from, c1, c2, to;
  };
  static void ForEachSegment(const TvxPathData& path,
                             const std::function<QPointF(const TvxPoint&)>& map,
                             const std::function<void(const Segment&)>& draw);
  // Appends a Qt outline to an engine path; every subpath ends with a Close.
  static void AppendToPathData(const QPainterPath& outline, TvxPathData& path);
};
