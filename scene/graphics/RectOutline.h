#pragma once

// Outlines of rectangles with shaped corners, walked clockwise from the top of the left side.

#include <optional>

#include "scene/graphics/GraphicsTypes.h"
#include "scene/graphics/PathData.h"

// A triangle standing on one side: its base runs from `BaseStart` to `BaseStart + Width` along
// the side (left to right, or top to bottom) and its tip lies `Length` outside the side, at
// the middle of the base.
struct TvxSidePointer {
  TvxSide Side = vxSideTop;
  float BaseStart = 0;
  float Width = 0;
  float Length = 0;
};

// Distance of a corner's Bézier control points from the corner, in units of the radius.
inline constexpr float CornerKappa = 0.4477152502f;

// The closed outline that shaped rectangles are filled and stroked with; corners outside
// `corners` stay square. Radii larger than half the side are cut to half.
void AppendCornerOutline(TvxPathData& path, const TvxRect& rect, float xRadius, float yRadius,
                         TvxCorners corners, TvxCornerType cornerType);

// The outline of the given sides only, as one path whose pen is lifted (MoveTo) over missing
// sides. Corner controls lie at half the radius. The callout rectangle inserts a pointer into
// one of its sides. Radii are capped at half the width and height of `rect`.
void AppendRectOutline(TvxPathData& path, const TvxRect& rect, float xRadius, float yRadius,
                       TvxCorners corners, TvxSides sides, TvxCornerType cornerType,
                       const std::optional<TvxSidePointer>& pointer = std::nullopt);
