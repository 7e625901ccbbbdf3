#include "scene/graphics/GraphicsTypes.h"

const TEnumInfo BrushStyleNames{{"vxBrushNone", "vxBrushSolid", "vxBrushGradient", "vxBrushBitmap",
                                 "vxBrushResource", "vxBrushVisual"}};
const TEnumInfo GradientStyleNames{{"vxLinearGradient", "vxRadialGradient"}};
const TEnumInfo WrapModeNames{{"vxWrapTile", "vxWrapTileOriginal", "vxWrapTileStretch"}};
const TEnumInfo FontStyleNames{{"vxFontRegular", "vxFontBold", "vxFontItalic", "vxFontBoldItalic",
                                "vxFontUnderline", "vxFontStrikeout"}};
const TEnumInfo TextAlignNames{{"vxTextAlignCenter", "vxTextAlignNear", "vxTextAlignFar"}};
const TEnumInfo StrokeCapNames{{"vxCapFlat", "vxCapRound"}};
const TEnumInfo StrokeJoinNames{{"vxJoinMiter", "vxJoinRound", "vxJoinBevel"}};
const TEnumInfo StrokeDashNames{{"vxDashSolid", "vxDashDash", "vxDashDot", "vxDashDashDot",
                                 "vxDashDashDotDot", "vxDashCustom"}};
const TEnumInfo CornerNames{
    {"vxCornerTopLeft", "vxCornerTopRight", "vxCornerBottomLeft", "vxCornerBottomRight"}};
const TEnumInfo CornerTypeNames{
    {"vxCornerRound", "vxCornerBevel", "vxCornerInnerRound", "vxCornerInnerLine"}};
const TEnumInfo SideNames{{"vxSideTop", "vxSideLeft", "vxSideBottom", "vxSideRight"}};
