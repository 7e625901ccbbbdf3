#include "scene/graphics/Layouts.h"

namespace {

// A degenerate original size shows the children unscaled.
float ScaleOf(float size, float original) {
  return original != 0 ? size / original : 1;
}

}  // namespace

LC_PUBLISH(TvxLayout) {}

bool TvxLayout::PointInObject(const TvxPoint& p) {
  return HasState(csDesigning) && TvxVisualObject::PointInObject(p);
}

LC_PUBLISH(TvxScaledLayout) {
  using C = TvxScaledLayout;
  p.Float("OriginalWidth", &C::OriginalWidth, &C::SetOriginalWidth, 50);
  p.Float("OriginalHeight", &C::OriginalHeight, &C::SetOriginalHeight, 50);
}

TvxScaledLayout::TvxScaledLayout(TComponent* owner) : TvxVisualObject(owner) {
  SetLayoutDisabled(true);
}

void TvxScaledLayout::SetOriginalWidth(float value) {
  if (value == originalWidth_) return;
  originalWidth_ = value;
  MatrixChanged();
}

void TvxScaledLayout::SetOriginalHeight(float value) {
  if (value == originalHeight_) return;
  originalHeight_ = value;
  MatrixChanged();
}

// A change of scale goes through MatrixChanged, so that the children's absolute matrices and
// areas follow.
TvxMatrix TvxScaledLayout::GetChildrenMatrix() {
  TvxMatrix scale = IdentityMatrix;
  scale.m11 = ScaleOf(Width(), originalWidth_);
  scale.m22 = ScaleOf(Height(), originalHeight_);
  return scale;
}

void TvxScaledLayout::SetWidth(float value) {
  if (value == Width()) return;
  TvxVisualObject::SetWidth(value);
  MatrixChanged();
}

void TvxScaledLayout::SetHeight(float value) {
  if (value == Height()) return;
  TvxVisualObject::SetHeight(value);
  MatrixChanged();
}
