#include "scene/graphics/Brush.h"

#include <algorithm>

#include "platform/component/Unicode.h"
#include "scene/core/ValueText.h"

namespace {

// Resource brushes may name each other in a ring; colour lookups give up after this many.
constexpr int kMaxResourceDepth = 16;

}  // namespace

LC_PUBLISH(TvxGradientPoint) {
  p.String("Color", &TvxGradientPoint::ColorText, &TvxGradientPoint::SetColorText);
  p.Float("Offset", &TvxGradientPoint::Offset, &TvxGradientPoint::SetOffset);
}

LC_PUBLISH(TvxGradientPoints) {}

LC_PUBLISH(TvxGradient) {
  p.Object("Points", &TvxGradient::Points);
  p.Enum("Style", GradientStyleNames, &TvxGradient::Style, &TvxGradient::SetStyle);
  p.Object("StartPosition", &TvxGradient::StartPosition).StoredIf(&TvxGradient::IsLinear);
  p.Object("StopPosition", &TvxGradient::StopPosition).StoredIf(&TvxGradient::IsLinear);
  p.Object("RadialTransform", &TvxGradient::RadialTransform).StoredIf(&TvxGradient::IsRadial);
}

LC_PUBLISH(TvxBrushBitmap) {
  p.Object("Bitmap", &TvxBrushBitmap::Bitmap);
  p.Enum("WrapMode", WrapModeNames, &TvxBrushBitmap::WrapMode, &TvxBrushBitmap::SetWrapMode);
}

LC_PUBLISH(TvxBrushResource) {
  p.Component("Resource", &TvxBrushResource::Resource, &TvxBrushResource::SetResource).NoStore();
  p.String("ResourceName", &TvxBrushResource::ResourceName, &TvxBrushResource::SetResourceName);
}

// Style's default is per instance, so the class default is one no style has.
LC_PUBLISH(TvxBrush) {
  p.String("Color", &TvxBrush::ColorText, &TvxBrush::SetColorText).StoredIf(&TvxBrush::ColorStored);
  p.Object("Bitmap", &TvxBrush::Bitmap).StoredIf(&TvxBrush::BitmapStored);
  p.Enum("Style", BrushStyleNames, &TvxBrush::Style, &TvxBrush::SetStyle, -1)
      .StoredIf(&TvxBrush::StyleStored);
  p.Object("Gradient", &TvxBrush::Gradient).StoredIf(&TvxBrush::GradientStored);
  p.Object("Resource", &TvxBrush::Resource).StoredIf(&TvxBrush::ResourceStored);
  p.Object("Visual", &TvxBrush::Visual).StoredIf(&TvxBrush::VisualStored);
}

LC_PUBLISH(TvxBrushObject) {
  p.Object("Brush", &TvxBrushObject::Brush);
}

// Gradient points.

void TvxGradientPoint::SetColor(TvxColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TvxGradientPoint::SetOffset(float value) {
  if (value == offset_) return;
  offset_ = value;
  Changed();
}

std::string TvxGradientPoint::ColorText() const {
  return ColorToText(color_);
}

void TvxGradientPoint::SetColorText(const std::string& text) {
  SetColor(TextToColor(text));
}

TvxGradientPoints::TvxGradientPoints()
    : TCollection([](TCollection* owner) { return std::make_unique<TvxGradientPoint>(owner); }) {}

TvxGradientPoint* TvxGradientPoints::Point(int index) const {
  return static_cast<TvxGradientPoint*>(Item(index));
}

TvxGradientPoint* TvxGradientPoints::AddPoint(TvxColor color, float offset) {
  BeginUpdate();
  auto* point = static_cast<TvxGradientPoint*>(Add());
  point->SetColor(color);
  point->SetOffset(offset);
  EndUpdate();
  return point;
}

// Gradient.

TvxGradient::TvxGradient() {
  points_.AddPoint(0xFF000000, 0);
  points_.AddPoint(0xFFFFFFFF, 1);
  const auto changed = [this](TObject*) { Changed(); };
  points_.OnChange = changed;
  startPosition_.OnChange = changed;
  stopPosition_.OnChange = changed;
  radialTransform_.OnChange = changed;
}

void TvxGradient::Changed() {
  if (!assigning_) OnChange(this);
}

void TvxGradient::SetStyle(TvxGradientStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

TvxColor TvxGradient::GradientColorAt(float offset) const {
  const int count = points_.Count();
  if (count < 2) return 0;
  offset = std::clamp(offset, 0.0f, 1.0f);
  if (!(offset >= 0)) offset = 0;  // NaN
  const TvxGradientPoint* first = points_.Point(0);
  const TvxGradientPoint* last = points_.Point(count - 1);
  if (offset < first->Offset()) return first->Color();
  if (offset > last->Offset()) return last->Color();
  // The last point at or before the offset decides, points taken in collection order.
  for (int i = count - 2; i >= 0; --i) {
    const TvxGradientPoint* from = points_.Point(i);
    if (from->Offset() > offset) continue;
    const TvxGradientPoint* to = points_.Point(i + 1);
    if (!(to->Offset() > from->Offset())) return from->Color();
    const float t = (offset - from->Offset()) / (to->Offset() - from->Offset());
    return InterpolateColor(from->Color(), to->Color(), std::min(t, 1.0f));
  }
  return first->Color();
}

void TvxGradient::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxGradient*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  assigning_ = true;
  if (points_.Count() == other->points_.Count()) {
    // Same shape: recolour in place, so animating gradients does not allocate.
    for (int i = 0; i < points_.Count(); ++i) {
      points_.Point(i)->SetColor(other->points_.Point(i)->Color());
      points_.Point(i)->SetOffset(other->points_.Point(i)->Offset());
    }
  } else {
    points_.Assign(other->points_);
  }
  style_ = other->style_;
  if (IsRadial()) {
    radialTransform_.Assign(other->radialTransform_);
  } else {
    startPosition_.SetPoint(other->startPosition_.Point());
    stopPosition_.SetPoint(other->stopPosition_.Point());
  }
  assigning_ = false;
  OnChange(this);
}

// Bitmap source.

TvxBrushBitmap::TvxBrushBitmap() {
  bitmap_.OnChange = [this](TObject*) { OnChange(this); };
}

void TvxBrushBitmap::SetWrapMode(TvxWrapMode value) {
  if (value == wrapMode_) return;
  wrapMode_ = value;
  OnChange(this);
}

void TvxBrushBitmap::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxBrushBitmap*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  bitmap_.Assign(other->bitmap_);
  wrapMode_ = other->wrapMode_;
  OnChange(this);
}

// Resource source.

void TvxBrushResource::SetResource(TvxBrushObject* resource) {
  if (link_.Set(resource)) OnChange(this);
}

void TvxBrushResource::SetResourceName(const std::string& name) {
  if (link_.SetName(name)) OnChange(this);
}

TvxBrush* TvxBrushResource::Brush() const {
  const TvxBrushObject* resource = Resource();
  return resource ? resource->Brush() : nullptr;
}

void TvxBrushResource::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxBrushResource*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  link_.Follow(other->link_);
  OnChange(this);
}

// Brush.

TvxBrush::TvxBrush(TvxBrushStyle defaultStyle, TvxColor defaultColor)
    : defaultStyle_(defaultStyle),
      defaultColor_(defaultColor),
      style_(defaultStyle),
      color_(defaultColor),
      gradient_(std::make_unique<TvxGradient>()),
      bitmap_(std::make_unique<TvxBrushBitmap>()),
      resource_(std::make_unique<TvxBrushResource>()),
      visual_(std::make_unique<TvxVisual>()) {
  const auto changed = [this](TObject*) { Changed(); };
  gradient_->OnChange = changed;
  bitmap_->OnChange = changed;
  resource_->OnChange = changed;
  visual_->OnChange = changed;
}

void TvxBrush::Changed() {
  if (!assigning_) OnChange(this);
}

void TvxBrush::SetStyle(TvxBrushStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TvxBrush::SetColor(TvxColor value) {
  if (value == color_) return;
  keepsAlpha_ = style_ == vxBrushSolid && (value >> 24) == (color_ >> 24);
  color_ = value;
  if (style_ == vxBrushGradient && gradient_->Points()->Count() > 0) {
    assigning_ = true;
    gradient_->Points()->Point(0)->SetColor(value);
    assigning_ = false;
  }
  Changed();
  keepsAlpha_ = false;
}

std::string TvxBrush::ColorText() const {
  return ColorToText(color_);
}

void TvxBrush::SetColorText(const std::string& text) {
  SetColor(TextToColor(text));
}

TvxBrush* TvxBrush::ResolvedResource() const {
  return style_ == vxBrushResource ? resource_->Brush() : nullptr;
}

TvxColor TvxBrush::EffectiveColor() const {
  const TvxBrush* brush = this;
  for (int depth = 0; depth < kMaxResourceDepth; ++depth) {
    const TvxBrush* next = brush->ResolvedResource();
    if (!next) break;
    brush = next;
  }
  return brush->color_;
}

void TvxBrush::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxBrush*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  assigning_ = true;
  color_ = other->EffectiveColor();
  style_ = other->style_;
  switch (style_) {
    case vxBrushGradient:
      gradient_->Assign(*other->gradient_);
      break;
    case vxBrushBitmap:
      bitmap_->Assign(*other->bitmap_);
      break;
    case vxBrushResource:
      resource_->Assign(*other->resource_);
      break;
    case vxBrushVisual:
      visual_->Assign(*other->visual_);
      break;
    case vxBrushNone:
    case vxBrushSolid:
      break;
  }
  assigning_ = false;
  OnChange(this);
}

// Resource object.

TvxBrushObject::TvxBrushObject(TComponent* owner) : TvxObject(owner) {}

TvxBrushObject::~TvxBrushObject() {
  // Holders are told while the brush is still alive.
  DestroyTree();
}
