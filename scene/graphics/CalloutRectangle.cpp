#include "scene/graphics/CalloutRectangle.h"

#include <algorithm>

#include "scene/graphics/Canvas.h"
#include "scene/graphics/RectOutline.h"

const TEnumInfo CalloutPositionNames{
    {"vxCalloutTop", "vxCalloutLeft", "vxCalloutBottom", "vxCalloutRight"}};

LC_PUBLISH(TvxCalloutRectangle) {
  using C = TvxCalloutRectangle;
  p.Float("CalloutWidth", &C::CalloutWidth, &C::SetCalloutWidth, 23);
  p.Float("CalloutLength", &C::CalloutLength, &C::SetCalloutLength, 11);
  p.Enum("CalloutPosition", CalloutPositionNames, &C::CalloutPosition, &C::SetCalloutPosition,
         vxCalloutTop);
  p.Float("CalloutOffset", &C::CalloutOffset, &C::SetCalloutOffset, 0);
}

void TvxCalloutRectangle::SetCalloutWidth(float value) {
  if (value == calloutWidth_) return;
  calloutWidth_ = value;
  ShapeChanged();
}

void TvxCalloutRectangle::SetCalloutLength(float value) {
  if (value == calloutLength_) return;
  calloutLength_ = value;
  ShapeChanged();
}

void TvxCalloutRectangle::SetCalloutPosition(TvxCalloutPosition value) {
  if (value == calloutPosition_) return;
  calloutPosition_ = value;
  ShapeChanged();
}

void TvxCalloutRectangle::SetCalloutOffset(float value) {
  if (value == calloutOffset_) return;
  calloutOffset_ = value;
  ShapeChanged();
}

void TvxCalloutRectangle::ShapeChanged() {
  RebuildOutline();
  TvxRectangle::ShapeChanged();
}

// The base is kept on the straight part of its side, between the corners, so that the walk
// along the side stays in order.
float TvxCalloutRectangle::PointerBaseStart(float sideStart, float sideEnd, float straightStart,
                                            float straightEnd) const {
  const float width = std::max(calloutWidth_, 0.0f);
  float start = (sideStart + sideEnd - width) / 2;
  if (calloutOffset_ > 0) start = sideStart + calloutOffset_;
  if (calloutOffset_ < 0) start = sideEnd + calloutOffset_ - width;
  const float last = straightEnd - width;
  if (last < straightStart) return (straightStart + straightEnd - width) / 2;
  return std::clamp(start, straightStart, last);
}

void TvxCalloutRectangle::RebuildOutline() {
  TvxRect body = GetShapeRect();
  const float length = calloutLength_;
  switch (calloutPosition_) {
    case vxCalloutTop:
      body.Top += length;
      break;
    case vxCalloutLeft:
      body.Left += length;
      break;
    case vxCalloutBottom:
      body.Bottom -= length;
      break;
    case vxCalloutRight:
      body.Right -= length;
      break;
  }
  const float xr = std::min(XRadius(), RectWidth(body) / 2);
  const float yr = std::min(YRadius(), RectHeight(body) / 2);
  const bool horizontal = calloutPosition_ == vxCalloutTop || calloutPosition_ == vxCalloutBottom;
  TvxSidePointer pointer;
  // The positions and the sides are declared in the same order.
  pointer.Side = TvxSide(calloutPosition_);
  pointer.Width = std::max(calloutWidth_, 0.0f);
  pointer.Length = length;
  pointer.BaseStart =
      horizontal ? PointerBaseStart(body.Left, body.Right, body.Left + xr, body.Right - xr)
                 : PointerBaseStart(body.Top, body.Bottom, body.Top + yr, body.Bottom - yr);
  outline_.Clear();
  AppendRectOutline(outline_, body, XRadius(), YRadius(), Corners(), Sides(), CornerType(),
                    pointer);
}

void TvxCalloutRectangle::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  RebuildOutline();
  const float opacity = GetAbsoluteOpacity();
  canvas->FillPath(outline_, outline_.GetBounds(), opacity);
  canvas->DrawPath(outline_, outline_.GetBounds(), opacity);
}
