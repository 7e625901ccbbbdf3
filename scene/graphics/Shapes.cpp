#include "scene/graphics/Shapes.h"

#include <algorithm>

#include "scene/graphics/Canvas.h"

const TEnumInfo LineTypeNames{{"vxLineNormal", "vxLineHorizontal", "vxLineVertical"}};

namespace {

// The centre and radii of pies and arcs: the stroke stays inside the object.
struct TvxArcFrame {
  TvxPoint Center;
  TvxPoint Radius;
};

TvxArcFrame ArcFrame(const TvxShape& shape) {
  const float inset = shape.StrokeThickness();
  return {{shape.Width() / 2, shape.Height() / 2},
          {(shape.Width() - inset) / 2, (shape.Height() - inset) / 2}};
}

template <class C>
void PublishAngles(TPublisher<C>& p) {
  p.Float("StartAngle", &C::StartAngle, &C::SetStartAngle, 0);
  p.Float("EndAngle", &C::EndAngle, &C::SetEndAngle, -90);
}

}  // namespace

LC_PUBLISH(TvxLine) {
  PublishStroke(p);
  p.Enum("LineType", LineTypeNames, &TvxLine::LineType, &TvxLine::SetLineType, vxLineNormal);
}

LC_PUBLISH(TvxEllipse) {
  PublishShapeBrushes(p);
}

LC_PUBLISH(TvxCircle) {}

LC_PUBLISH(TvxPie) {
  PublishAngles(p);
}

LC_PUBLISH(TvxArc) {
  PublishAngles(p);
}

// Line.

void TvxLine::SetLineType(TvxLineType value) {
  if (value == lineType_) return;
  lineType_ = value;
  ShapeChanged();
}

void TvxLine::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  const TvxRect r = GetShapeRect();
  const float opacity = GetAbsoluteOpacity();
  switch (lineType_) {
    case vxLineNormal:
      return canvas->DrawLine({r.Left, r.Top}, {r.Right, r.Bottom}, opacity);
    case vxLineHorizontal:
      return canvas->DrawLine({r.Left, r.Top}, {r.Right, r.Top}, opacity);
    case vxLineVertical:
      return canvas->DrawLine({r.Left, r.Top}, {r.Left, r.Bottom}, opacity);
  }
}

// Ellipse and circle.

void TvxEllipse::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  const TvxRect r = GetShapeRect();
  const float opacity = GetAbsoluteOpacity();
  canvas->FillEllipse(r, opacity);
  canvas->DrawEllipse(r, opacity);
}

bool TvxEllipse::InEllipse(const TvxPoint& local) const {
  const float w = Width(), h = Height();
  if (w * h == 0) return false;
  const float dx = (2 * local.X - w) / w, dy = (2 * local.Y - h) / h;
  return dx * dx + dy * dy <= 1;
}

bool TvxEllipse::PointInObject(const TvxPoint& p) {
  return InEllipse(AbsoluteToLocal(p));
}

void TvxCircle::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  const float side = std::max(Width(), Height());
  TvxRect square{0, 0, side, side};
  FitRect(square, GetShapeRect());
  const float opacity = GetAbsoluteOpacity();
  canvas->FillEllipse(square, opacity);
  canvas->DrawEllipse(square, opacity);
}

// Pie.

void TvxPie::SetStartAngle(float value) {
  if (value == startAngle_) return;
  startAngle_ = value;
  ShapeChanged();
}

void TvxPie::SetEndAngle(float value) {
  if (value == endAngle_) return;
  endAngle_ = value;
  ShapeChanged();
}

void TvxPie::BuildSlice(TvxPathData& path) const {
  const TvxArcFrame frame = ArcFrame(*this);
  path.MoveTo(frame.Center);
  path.AddArc(frame.Center, frame.Radius, startAngle_, endAngle_ - startAngle_);
  path.LineTo(frame.Center);
  path.ClosePath();
}

void TvxPie::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  TvxPathData slice;
  BuildSlice(slice);
  const float opacity = GetAbsoluteOpacity();
  canvas->FillPath(slice, slice.GetBounds(), opacity);
  canvas->DrawPath(slice, slice.GetBounds(), opacity);
}

bool TvxPie::PointInObject(const TvxPoint& p) {
  const TvxPoint local = AbsoluteToLocal(p);
  TvxCanvas* canvas = Canvas();
  if (!canvas) return InEllipse(local);
  TvxPathData slice;
  BuildSlice(slice);
  return canvas->PtInPath(local, slice.GetBounds(), slice);
}

// Arc.

TvxArc::TvxArc(TComponent* owner) : TvxEllipse(owner, {.FillStyle = vxBrushNone}) {}

void TvxArc::SetStartAngle(float value) {
  if (value == startAngle_) return;
  startAngle_ = value;
  ShapeChanged();
}

void TvxArc::SetEndAngle(float value) {
  if (value == endAngle_) return;
  endAngle_ = value;
  ShapeChanged();
}

void TvxArc::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  const TvxArcFrame frame = ArcFrame(*this);
  const float opacity = GetAbsoluteOpacity();
  canvas->FillArc(frame.Center, frame.Radius, startAngle_, endAngle_, opacity);
  canvas->DrawArc(frame.Center, frame.Radius, startAngle_, endAngle_, opacity);
}
