#pragma once

// Path data walked as the segments a backend strokes one by one (lines, cubics and the lines
// that close figures), in the backend's own point type.

#include <algorithm>

#include "scene/graphics/PathData.h"

template <class Point>
struct TvxPathSegment {
  bool curve = false;
  Point from, c1, c2, to;
};

// `map` turns each engine point into a `Point`; `draw` gets each segment. A cubic missing its
// last entries (bad data) ends at the last point there is.
template <class Point, class Map, class Draw>
void ForEachPathSegment(const TvxPathData& path, const Map& map, const Draw& draw) {
  const auto points = path.Points();
  const size_t count = points.size();
  Point current{}, start{};
  bool open = false;
  for (size_t i = 0; i < count; ++i) {
    const TvxPathPoint& entry = points[i];
    switch (entry.Kind) {
      case vxPathPointMoveTo:
        current = start = map(entry.Point);
        open = true;
        break;
      case vxPathPointLineTo: {
        const Point to = map(entry.Point);
        if (open) draw(TvxPathSegment<Point>{false, current, {}, {}, to});
        current = to;
        if (!open) start = to;
        open = true;
        break;
      }
      case vxPathPointCurveTo: {
        const Point c1 = map(entry.Point);
        const Point c2 = map(points[std::min(i + 1, count - 1)].Point);
        const Point to = map(points[std::min(i + 2, count - 1)].Point);
        i += 2;
        if (!open) current = start = c1;
        draw(TvxPathSegment<Point>{true, current, c1, c2, to});
        current = to;
        open = true;
        break;
      }
      case vxPathPointClose:
        if (open) draw(TvxPathSegment<Point>{false, current, {}, {}, start});
        current = start;
        break;
    }
  }
}
