#include "scene/core/Bounds.h"

#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/ValueText.h"

LC_PUBLISH(TvxBounds) {
  p.Float("Left", &TvxBounds::Left, &TvxBounds::SetLeft).NoStore();
  p.Float("Top", &TvxBounds::Top, &TvxBounds::SetTop).NoStore();
  p.Float("Right", &TvxBounds::Right, &TvxBounds::SetRight).NoStore();
  p.Float("Bottom", &TvxBounds::Bottom, &TvxBounds::SetBottom).NoStore();
}

void TvxBounds::SetSide(float& side, float value) {
  if (side == value) return;
  side = value;
  OnChange(this);
}

void TvxBounds::SetRect(const TvxRect& rect) {
  if (rect == rect_) return;
  rect_ = rect;
  OnChange(this);
}

TvxRect TvxBounds::MarginRect(const TvxRect& r) const {
  return {r.Left + rect_.Left, r.Top + rect_.Top, r.Right - rect_.Right, r.Bottom - rect_.Bottom};
}

void TvxBounds::Assign(const TPersistent& source) {
  if (const auto* other = dynamic_cast<const TvxBounds*>(&source)) return SetRect(other->rect_);
  TPersistent::Assign(source);
}

void TvxBounds::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Rect", [this](const TFormValue& v) { SetRect(TextToRect(FormValueText(v))); },
      [this] { return TextFormValue(RectToText(rect_)); }, rect_ != default_);
}
