#include "scene/graphics/BlurRectangles.h"

#include <cmath>

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/StackBlur.h"

namespace {

// Whole pixels of an extent. Larger shapes are drawn from a cache of this many pixels,
// stretched: their edges are soft anyway, and the cache stays of a sane size.
constexpr int kMaxCacheSide = 4096;

int PixelExtent(float extent) {
  const double rounded = RoundHalfEven(double(extent));
  if (!(rounded > 0)) return 0;
  return rounded < kMaxCacheSide ? int(rounded) : kMaxCacheSide;
}

template <class C>
void PublishSoftness(TPublisher<C>& p) {
  p.Float("Softness", &C::Softness, &C::SetSoftness, double(0.3f));
}

}  // namespace

LC_PUBLISH(TvxBlurRectangle) {
  PublishSoftness(p);
}

LC_PUBLISH(TvxBlurRoundRect) {
  PublishSoftness(p);
}

// The cache.

TvxBlurCache::TvxBlurCache() = default;
TvxBlurCache::~TvxBlurCache() = default;

int TvxBlurCache::BlurRadius(float softness) {
  const float radius = softness * 15;
  if (!(radius > 0)) return 0;
  return radius < StackBlurMaxRadius ? int(radius) : StackBlurMaxRadius;
}

void TvxBlurCache::Paint(TvxShape& shape, float softness,
                         const std::function<void(TvxCanvas&, const TvxRect&)>& drawInner) {
  TvxCanvas* canvas = shape.Canvas();
  if (!canvas) return;
  const int width = PixelExtent(shape.Width()), height = PixelExtent(shape.Height());
  if (width == 0 || height == 0) return;
  if (!bitmap_) bitmap_ = std::make_unique<TvxBitmap>();
  if (stale_ || bitmap_->Width() != width || bitmap_->Height() != height) {
    bitmap_->SetSize(width, height);
    Rebuild(shape, BlurRadius(softness), drawInner);
  }
  const TvxRect source{0, 0, float(width), float(height)};
  canvas->DrawBitmap(*bitmap_, source, shape.GetLocalRect(), shape.GetAbsoluteOpacity(), true);
}

void TvxBlurCache::Rebuild(const TvxShape& shape, int radius,
                           const std::function<void(TvxCanvas&, const TvxRect&)>& drawInner) {
  stale_ = false;
  bitmap_->Clear(0);
  TvxCanvas* target = bitmap_->Canvas();
  if (!target) return;
  const float inset = float(radius);
  const TvxRect inner{inset, inset, shape.Width() - inset, shape.Height() - inset};
  if (IsRectEmpty(inner) || !target->BeginScene()) return;
  // One unit a pixel, unless the cache was held to its largest size.
  TvxMatrix scale = IdentityMatrix;
  scale.m11 = float(bitmap_->Width()) / shape.Width();
  scale.m22 = float(bitmap_->Height()) / shape.Height();
  target->SetMatrix(scale);
  shape.ApplyPaintTo(*target);
  drawInner(*target, inner);
  target->EndScene();
  StackBlur(bitmap_->Pixels(), bitmap_->Width(), bitmap_->Height(), radius);
  bitmap_->Changed();
}

// Blurred rectangle.

TvxBlurRectangle::TvxBlurRectangle(TComponent* owner)
    : TvxBlurred(owner, {.StrokeStyle = vxBrushNone}) {}

void TvxBlurRectangle::DrawInner(TvxCanvas& canvas, const TvxRect& inner) {
  canvas.FillRect(inner, XRadius(), YRadius(), Corners(), 1, CornerType());
  canvas.DrawRect(inner, XRadius(), YRadius(), Corners(), 1, CornerType());
}

// Blurred rounded rectangle.

TvxBlurRoundRect::TvxBlurRoundRect(TComponent* owner)
    : TvxBlurred(owner, {.StrokeStyle = vxBrushNone}) {}

void TvxBlurRoundRect::DrawInner(TvxCanvas& canvas, const TvxRect& inner) {
  const float radius = RectHeight(inner) / 2;
  canvas.FillRect(inner, radius, radius, Corners(), 1, vxCornerRound);
  canvas.DrawRect(inner, radius, radius, Corners(), 1, vxCornerRound);
}
