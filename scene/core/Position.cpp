#include "scene/core/Position.h"

#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/ValueText.h"

LC_PUBLISH(TvxPosition) {
  p.Float("X", &TvxPosition::X, &TvxPosition::SetX).NoStore();
  p.Float("Y", &TvxPosition::Y, &TvxPosition::SetY).NoStore();
}

void TvxPosition::SetX(float value) {
  if (value == point_.X) return;
  point_.X = value;
  OnChange(this);
}

void TvxPosition::SetY(float value) {
  if (value == point_.Y) return;
  point_.Y = value;
  OnChange(this);
}

void TvxPosition::SetPoint(const TvxPoint& point) {
  point_ = point;
  OnChange(this);
}

void TvxPosition::Assign(const TPersistent& source) {
  if (const auto* other = dynamic_cast<const TvxPosition*>(&source)) return SetPoint(other->point_);
  TPersistent::Assign(source);
}

void TvxPosition::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Point", [this](const TFormValue& v) { SetPoint(TextToPoint(FormValueText(v))); },
      [this] { return TextFormValue(PointToText(point_)); }, point_ != default_);
}
