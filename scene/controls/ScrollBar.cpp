#include "scene/controls/ScrollBar.h"

#include <algorithm>
#include <cmath>

#include "platform/component/Publisher.h"
#include "scene/core/FloatAnimation.h"

namespace {

const TEnumInfo OrientationNames{{"vxHorizontal", "vxVertical"}};

// The shortest thumb, so that it stays grabbable on a long range.
constexpr float kMinThumbLength = 8;
constexpr float kGlideSeconds = 0.2f;

// A finite number, or `fallback` (form data and arithmetic may hand over NaN).
float Finite(float value, float fallback) {
  return std::isfinite(value) ? value : fallback;
}

TvxVisualObject* VisualPart(TvxControl& control, const char* name) {
  return dynamic_cast<TvxVisualObject*>(control.FindResource(name));
}

}  // namespace

LC_PUBLISH(TvxScrollBar) {
  using C = TvxScrollBar;
  p.Float("Min", &C::Min, &C::SetMin);
  p.Float("Max", &C::Max, &C::SetMax, 100);
  p.Float("Value", &C::Value, &C::SetValue);
  p.Float("ViewportSize", &C::ViewportSize, &C::SetViewportSize);
  p.Float("SmallChange", &C::SmallChange, &C::SetSmallChange, 1);
  p.Enum("Orientation", OrientationNames, &C::Orientation, &C::SetOrientation, vxHorizontal);
  p.Bool("CanFocused", &C::CanFocused, &C::SetCanFocused);
  p.Event("OnChange", &C::OnChange);
}

LC_PUBLISH(TvxSmallScrollBar) {}

TvxScrollBar::TvxScrollBar(TComponent* owner) : TvxControl(owner) {
  SetWidth(150);
  SetHeight(18);
  SetAutoCapture(true);
}

TvxScrollBar::~TvxScrollBar() {
  StopGlide();
}

void TvxScrollBar::SetMin(float value) {
  value = Finite(value, 0);
  if (value == min_) return;
  min_ = value;
  SetValue(value_);
  PlaceThumb();
}

void TvxScrollBar::SetMax(float value) {
  value = Finite(value, 0);
  if (value == max_) return;
  max_ = value;
  SetValue(value_);
  PlaceThumb();
}

void TvxScrollBar::SetViewportSize(float value) {
  value = std::max(0.0f, Finite(value, 0));
  if (value == viewportSize_) return;
  viewportSize_ = value;
  SetValue(value_);
  PlaceThumb();
}

float TvxScrollBar::MaxValue() const {
  return std::max(min_, max_ - viewportSize_);
}

void TvxScrollBar::SetValue(float value) {
  // While loading the range may not be read yet; clamp once it is.
  if (!HasState(csLoading)) value = std::clamp(Finite(value, min_), min_, MaxValue());
  if (value == value_) return;
  value_ = value;
  PlaceThumb();
  OnChange(this);
}

void TvxScrollBar::SetOrientation(TvxOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (StyleObject()) {
    FreeStyle();
    ApplyStyle();
  }
}

void TvxScrollBar::ScrollTo(float value, bool animated) {
  StopGlide();
  if (!animated) return SetValue(value);
  glide_ = new TvxFloatAnimation(this);
  glide_->SetStored(false);
  glide_->SetParent(this);
  glide_->SetPropertyName("Value");
  glide_->SetDuration(kGlideSeconds);
  glide_->SetInterpolation(vxInterpolationQuadratic);
  glide_->SetStartValue(value_);
  glide_->SetStopValue(std::clamp(Finite(value, min_), min_, MaxValue()));
  glide_->Start();
}

float TvxScrollBar::TargetValue() const {
  return glide_ && glide_->IsRunning() ? glide_->StopValue() : value_;
}

void TvxScrollBar::StopGlide() {
  delete std::exchange(glide_, nullptr);
}

float TvxScrollBar::TrackLength(const TvxRect& r) const {
  return IsVertical() ? RectHeight(r) : RectWidth(r);
}

TvxRect TvxScrollBar::PartRect(TvxVisualObject* part) {
  if (!part || !part->Visible()) return {};
  const TvxRect r = part->GetAbsoluteRect();
  const TvxPoint topLeft = AbsoluteToLocal({r.Left, r.Top});
  const TvxPoint bottomRight = AbsoluteToLocal({r.Right, r.Bottom});
  return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

TvxRect TvxScrollBar::TrackRect() {
  if (track_) return PartRect(track_);
  return GetLocalRect();
}

TvxRect TvxScrollBar::ThumbRect() {
  TvxRect track = TrackRect();
  const float length = TrackLength(track);
  const float range = max_ - min_;
  if (length <= 0 || range <= 0 || viewportSize_ >= range) return track;
  const float thumb = std::min(length, std::max(kMinThumbLength, length * viewportSize_ / range));
  const float span = MaxValue() - min_;
  const float offset = span > 0 ? (length - thumb) * (value_ - min_) / span : 0;
  if (IsVertical())
    return {track.Left, track.Top + offset, track.Right, track.Top + offset + thumb};
  return {track.Left + offset, track.Top, track.Left + offset + thumb, track.Bottom};
}

void TvxScrollBar::PlaceThumb() {
  if (!thumb_ || !track_) return;
  TvxRect r = ThumbRect();
  const TvxRect track = PartRect(track_);
  OffsetRect(r, -track.Left, -track.Top);
  // The thumb's padding insets it within the track.
  r = thumb_->Padding()->MarginRect(r);
  thumb_->SetAlign(vaNone);
  thumb_->SetBounds(r.Left, r.Top, RectWidth(r), RectHeight(r));
}

void TvxScrollBar::ApplyStyle() {
  TvxControl::ApplyStyle();
  ShowOrientationParts();
  track_ = VisualPart(*this, IsVertical() ? "vtrack" : "htrack");
  thumb_ = track_ ? dynamic_cast<TvxVisualObject*>(track_->FindResource("thumb")) : nullptr;
  lessButton_ = VisualPart(*this, IsVertical() ? "topbutton" : "leftbutton");
  moreButton_ = VisualPart(*this, IsVertical() ? "bottombutton" : "rightbutton");
  PlaceThumb();
}

// One style serves both orientations; the parts of the other one are hidden.
void TvxScrollBar::ShowOrientationParts() {
  const char* const horizontal[] = {"htrack", "leftbutton", "rightbutton"};
  const char* const vertical[] = {"vtrack", "topbutton", "bottombutton"};
  for (const char* name : horizontal)
    if (TvxVisualObject* part = VisualPart(*this, name)) part->SetVisible(!IsVertical());
  for (const char* name : vertical)
    if (TvxVisualObject* part = VisualPart(*this, name)) part->SetVisible(IsVertical());
}

void TvxScrollBar::FreeStyle() {
  track_ = thumb_ = lessButton_ = moreButton_ = nullptr;
  TvxControl::FreeStyle();
}

void TvxScrollBar::Realign() {
  TvxControl::Realign();
  PlaceThumb();
}

void TvxScrollBar::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  StopGlide();
  const TvxPoint p{x, y};
  if (lessButton_ && PointInRect(p, PartRect(lessButton_))) return SetValue(value_ - smallChange_);
  if (moreButton_ && PointInRect(p, PartRect(moreButton_))) return SetValue(value_ + smallChange_);
  const TvxRect thumb = ThumbRect();
  if (PointInRect(p, thumb)) {
    dragging_ = true;
    dragOffset_ = Along(p) - TrackStart(thumb);
    return;
  }
  if (!PointInRect(p, TrackRect())) return;
  // A press beside the thumb pages towards the pointer.
  SetValue(Along(p) < TrackStart(thumb) ? value_ - viewportSize_ : value_ + viewportSize_);
}

void TvxScrollBar::MouseMove(TShiftState shift, float x, float y) {
  TvxControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  const TvxRect track = TrackRect();
  const TvxRect thumb = ThumbRect();
  const float free = TrackLength(track) - TrackLength(thumb);
  if (free <= 0) return;
  const float start = Along({x, y}) - dragOffset_ - TrackStart(track);
  SetValue(min_ + start / free * (MaxValue() - min_));
}

void TvxScrollBar::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  TvxControl::MouseUp(button, shift, x, y);
  if (button == TMouseButton::mbLeft) dragging_ = false;
}

TvxSmallScrollBar::TvxSmallScrollBar(TComponent* owner) : TvxScrollBar(owner) {
  SetHeight(8);
}
