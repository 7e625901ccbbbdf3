#include "scene/core/PathAnimation.h"

#include <cmath>
#include <vector>

#include "scene/core/FloatAnimation.h"
#include "scene/core/Position.h"
#include "scene/core/PropertyPath.h"

LC_PUBLISH(TvxPathAnimation) {
  p.Object("Path", &TvxPathAnimation::Path);
  p.Bool("Rotate", &TvxPathAnimation::Rotate, &TvxPathAnimation::SetRotate);
}

LC_PUBLISH(TvxPathSwitcher) {
  p.String("PathTrue", &TvxPathSwitcher::PathTrue, &TvxPathSwitcher::SetPathTrue);
  p.String("PathFalse", &TvxPathSwitcher::PathFalse, &TvxPathSwitcher::SetPathFalse);
  p.String("PropertyName", &TvxPathSwitcher::PropertyName, &TvxPathSwitcher::SetPropertyName);
}

namespace {

TvxPosition* PositionOf(TvxObject* object) {
  return object ? ResolvePropertyPath(*object, "Position").FindObject<TvxPosition>() : nullptr;
}

// The flattened path with every figure end replaced by the point before it, so the spline
// runs through the figures one after the other.
std::vector<TvxPoint> SplinePoints(const TvxPathData& path) {
  std::vector<TvxPoint> points;
  TvxPoint size;
  path.FlattenToPolygon(points, size, 0.25f);
  for (size_t i = 0; i < points.size(); ++i)
    if (points[i] == PolygonCloseMarker) points[i] = i > 0 ? points[i - 1] : TvxPoint{};
  return points;
}

}  // namespace

TvxPathAnimation::~TvxPathAnimation() = default;

void TvxPathAnimation::Start() {
  const std::vector<TvxPoint> points = SplinePoints(path_);
  spline_ = std::make_unique<TvxSpline>(points);
  pointCount_ = int(points.size());
  startedOn_ = Parent();
  if (TvxPosition* position = PositionOf(Parent())) origin_ = previous_ = position->Point();
  TvxAnimation::Start();
}

// The progress runs over the spline's whole parameter range, first point to last.
void TvxPathAnimation::ProcessAnimation() {
  TvxPosition* position = Parent() == startedOn_ ? PositionOf(Parent()) : nullptr;
  if (!position || !spline_ || pointCount_ < 2) return;
  const float t = NormalizedTime();
  float x = 0, y = 0;
  spline_->SplineXY(t * float(pointCount_ - 1), x, y);
  const TvxPoint to{origin_.X + x, origin_.Y + y};
  position->SetPoint(to);
  if (rotate_ && t > 0 && t < 1 && to != previous_) Turn(previous_, to);
  previous_ = to;
}

void TvxPathAnimation::Turn(const TvxPoint& from, const TvxPoint& to) {
  float angle = std::atan2(to.Y - from.Y, to.X - from.X) * RadToDegFactor;
  if (Inverse()) angle += 180;
  WriteFloatProperty(ResolvePropertyPath(*Parent(), "RotateAngle"), angle);
}

TvxPathSwitcher::TvxPathSwitcher(TComponent* owner) : TvxAnimation(owner) {
  SetDuration(DefaultSwitchDuration);
}
