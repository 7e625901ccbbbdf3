#include "scene/graphics/Rectangles.h"

#include "scene/graphics/Canvas.h"

LC_PUBLISH(TvxRectangle) {
  using C = TvxRectangle;
  PublishShapeBrushes(p);
  p.Float("xRadius", &C::XRadius, &C::SetXRadius, 0);
  p.Float("yRadius", &C::YRadius, &C::SetYRadius, 0);
  p.Set("Corners", CornerNames, &C::Corners, &C::SetCorners, AllCorners);
  p.Enum("CornerType", CornerTypeNames, &C::CornerType, &C::SetCornerType, vxCornerRound);
  // All four sides are the default, yet they are written whenever any side is present; an
  // empty set is not written, as the form files this reads have it.
  p.Set("Sides", SideNames, &C::Sides, &C::SetSides, 0);
}

LC_PUBLISH(TvxSidesRectangle) {}

LC_PUBLISH(TvxRoundRect) {
  PublishShapeBrushes(p);
  p.Set("Corners", CornerNames, &TvxRoundRect::Corners, &TvxRoundRect::SetCorners, AllCorners);
}

float RoundRectRadius(const TvxRect& r) {
  return RectHeight(r) >= RectWidth(r) ? RectWidth(r) / 2 : RectHeight(r) / 2;
}

// Rectangle.

void TvxRectangle::SetXRadius(float value) {
  if (value == xRadius_) return;
  xRadius_ = value;
  ShapeChanged();
}

void TvxRectangle::SetYRadius(float value) {
  if (value == yRadius_) return;
  yRadius_ = value;
  ShapeChanged();
}

void TvxRectangle::SetCorners(TvxCorners value) {
  value &= AllCorners;
  if (value == corners_) return;
  corners_ = value;
  ShapeChanged();
}

void TvxRectangle::SetCornerType(TvxCornerType value) {
  if (value == cornerType_) return;
  cornerType_ = value;
  ShapeChanged();
}

void TvxRectangle::SetSides(TvxSides value) {
  value &= AllSides;
  if (value == sides_) return;
  sides_ = value;
  ShapeChanged();
}

void TvxRectangle::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  const TvxRect r = GetShapeRect();
  const float opacity = GetAbsoluteOpacity();
  if (sides_ != AllSides) return PaintSides(*canvas, r, opacity);
  canvas->FillRect(r, xRadius_, yRadius_, corners_, opacity, cornerType_);
  canvas->DrawRect(r, xRadius_, yRadius_, corners_, opacity, cornerType_);
}

// Where a side is missing the fill runs on to the object's edge, under where the stroke
// would have been.
void TvxRectangle::PaintSides(TvxCanvas& canvas, const TvxRect& r, float opacity) {
  const float inset = r.Left;
  TvxRect fill = r;
  if (!HasSide(sides_, vxSideTop)) fill.Top -= inset;
  if (!HasSide(sides_, vxSideLeft)) fill.Left -= inset;
  if (!HasSide(sides_, vxSideBottom)) fill.Bottom += inset;
  if (!HasSide(sides_, vxSideRight)) fill.Right += inset;
  canvas.FillRect(fill, xRadius_, yRadius_, corners_, opacity, cornerType_);
  canvas.DrawRectSides(r, xRadius_, yRadius_, corners_, opacity, sides_, cornerType_);
}

// Rounded rectangle.

void TvxRoundRect::SetCorners(TvxCorners value) {
  value &= AllCorners;
  if (value == corners_) return;
  corners_ = value;
  ShapeChanged();
}

void TvxRoundRect::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  const TvxRect r = GetShapeRect();
  const float radius = RoundRectRadius(r);
  const float opacity = GetAbsoluteOpacity();
  canvas->FillRect(r, radius, radius, corners_, opacity, vxCornerRound);
  canvas->DrawRect(r, radius, radius, corners_, opacity, vxCornerRound);
}
