#pragma once

// The enumerations that brushes, pens, fonts and the canvas share. Ordinals are what form
// data streams and what backends map, so the declaration order is fixed.

#include <cstdint>

#include "platform/component/ClassInfo.h"

enum TvxBrushStyle {
  vxBrushNone,
  vxBrushSolid,
  vxBrushGradient,
  vxBrushBitmap,
  vxBrushResource,
  vxBrushVisual
};

enum TvxGradientStyle { vxLinearGradient, vxRadialGradient };

enum TvxWrapMode { vxWrapTile, vxWrapTileOriginal, vxWrapTileStretch };

enum TvxFontStyle {
  vxFontRegular,
  vxFontBold,
  vxFontItalic,
  vxFontBoldItalic,
  vxFontUnderline,
  vxFontStrikeout
};

enum TvxTextAlign { vxTextAlignCenter, vxTextAlignNear, vxTextAlignFar };

enum TvxStrokeCap { vxCapFlat, vxCapRound };

enum TvxStrokeJoin { vxJoinMiter, vxJoinRound, vxJoinBevel };

enum TvxStrokeDash {
  vxDashSolid,
  vxDashDash,
  vxDashDot,
  vxDashDashDot,
  vxDashDashDotDot,
  vxDashCustom
};

enum TvxCorner { vxCornerTopLeft, vxCornerTopRight, vxCornerBottomLeft, vxCornerBottomRight };
// A set of TvxCorner: bit (1 << corner).
using TvxCorners = uint32_t;
inline constexpr TvxCorners AllCorners = 0xF;

enum TvxCornerType { vxCornerRound, vxCornerBevel, vxCornerInnerRound, vxCornerInnerLine };

enum TvxSide { vxSideTop, vxSideLeft, vxSideBottom, vxSideRight };
// A set of TvxSide: bit (1 << side).
using TvxSides = uint32_t;
inline constexpr TvxSides AllSides = 0xF;

constexpr bool HasCorner(TvxCorners corners, TvxCorner corner) {
  return (corners >> corner) & 1;
}
constexpr bool HasSide(TvxSides sides, TvxSide side) {
  return (sides >> side) & 1;
}

// Value names for publishing, in ordinal order.
extern const TEnumInfo BrushStyleNames;
extern const TEnumInfo GradientStyleNames;
extern const TEnumInfo WrapModeNames;
extern const TEnumInfo FontStyleNames;
extern const TEnumInfo TextAlignNames;
extern const TEnumInfo StrokeCapNames;
extern const TEnumInfo StrokeJoinNames;
extern const TEnumInfo StrokeDashNames;
extern const TEnumInfo CornerNames;
extern const TEnumInfo CornerTypeNames;
extern const TEnumInfo SideNames;
