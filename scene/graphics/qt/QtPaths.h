#pragma once

// Engine paths as Qt paths, stretched into a target rectangle, and Qt outlines read back into
// engine paths.

#include <QPainterPath>
#include <QRectF>
#include <functional>

#include "scene/core/Geometry.h"
#include "scene/graphics/PathData.h"

class TvxQtPaths {
 public:
  // Maps path points from the path's bounds onto `target`.
  static std::function<QPointF(const TvxPoint&)> FitMapping(const TvxPathData& path,
                                                            const TvxRect& target);
  // The path as one Qt path, each point mapped.
  static QPainterPath ToQt(const TvxPathData& path,
                           const std::function<QPointF(const TvxPoint&)>& map);
  // Appends a Qt outline to an engine path; every subpath ends with a Close.
  static void AppendToPathData(const QPainterPath& outline, TvxPathData& path);
};
