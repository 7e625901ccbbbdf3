#pragma once

// Engine paths as GDI+ paths, stretched into a target rectangle, and GDI+ outlines read back
// into engine paths.

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <functional>

#include "scene/core/Geometry.h"
#include "scene/graphics/PathData.h"

class TvxGdiPlusPaths {
 public:
  using Mapping = std::function<Gdiplus::PointF(const TvxPoint&)>;
  // Maps path points from the path's bounds onto `target`.
  static Mapping FitMapping(const TvxPathData& path, const TvxRect& target);
  // Points as they are.
  static Mapping Identity();
  // Adds the path's figures to `out`, each point mapped.
  static void Append(const TvxPathData& path, const Mapping& map, Gdiplus::GraphicsPath& out);
  // Appends a GDI+ outline to an engine path; every figure ends with a Close.
  static void AppendToPathData(const Gdiplus::GraphicsPath& outline, TvxPathData& path);
};
