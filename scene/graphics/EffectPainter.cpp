#include "scene/graphics/EffectPainter.h"

#include <algorithm>
#include <cmath>

#include "scene/core/VisualObject.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/CanvasStateGuard.h"
#include "scene/graphics/Effect.h"

namespace {

template <class F>
void ForEachEnabledEffect(TvxVisualObject& object, F&& f) {
  for (TvxEffect& effect : object.ChildrenOf<TvxEffect>())
    if (effect.Enabled()) f(effect);
}

// Bitmap sizes stay within what a bitmap can hold, whatever the scale.
int BitmapExtent(float extent) {
  if (!(extent > 0)) return 0;
  return extent < 16384 ? int(std::trunc(extent)) : 16384;
}

}  // namespace

TvxEffectPainter::TvxEffectPainter() = default;
TvxEffectPainter::~TvxEffectPainter() = default;

void TvxEffectPainter::Paint(TvxVisualObject& object, TvxCanvas& canvas) {
  bool any = false;
  ForEachEnabledEffect(object, [&](TvxEffect&) { any = true; });
  if (!any) return;
  const TvxCanvasStateGuard saved(canvas);
  // A result made for a screen of another density would be drawn blurred or too sharp.
  if (stale_ || builtDeviceScale_ != canvas.DeviceScale()) {
    Rebuild(object, canvas);
  } else if (bitmap_) {
    DrawCached(object, canvas);
  }
}

void TvxEffectPainter::Rebuild(TvxVisualObject& object, TvxCanvas& canvas) {
  ForEachEnabledEffect(object, [&](TvxEffect& effect) { RenderEffect(object, effect, canvas); });
  stale_ = false;
  builtDeviceScale_ = canvas.DeviceScale();
}

// The object rendered alone at its absolute scale on the canvas's device pixels, processed by
// the effect and drawn into the effect's area.
void TvxEffectPainter::RenderEffect(TvxVisualObject& object, TvxEffect& effect, TvxCanvas& canvas) {
  const TvxPoint absolute = object.GetAbsoluteScale();
  const TvxPoint scale{absolute.X * canvas.DeviceScale(), absolute.Y * canvas.DeviceScale()};
  if (scale.X == 0 || scale.Y == 0) return;
  TvxRect area = effect.GetRect(object.GetLocalRect());
  ScaleRect(area, scale.X, scale.Y);
  const int width = BitmapExtent(RectWidth(area));
  const int height = BitmapExtent(RectHeight(area));
  if (!bitmap_) bitmap_ = std::make_unique<TvxBitmap>();
  bitmap_->SetSize(width, height);
  TvxCanvas* target = bitmap_->Canvas();
  if (!target) return;
  {
    const TvxCanvasStateGuard saved(*target);
    if (target->BeginScene()) {
      target->Clear(0);
      target->SetMatrix(IdentityMatrix);
      const TvxPoint offset = effect.GetOffset();
      TvxRect place{offset.X, offset.Y, offset.X + object.Width(), offset.Y + object.Height()};
      object.PaintTo(*target, ScaleRect(place, scale.X, scale.Y));
      target->EndScene();
    }
  }
  if (!ReuseResult(effect, scale.X)) {
    effect.ProcessEffect(*target, *bitmap_, scale.X);
    KeepResult(effect);
  }
  DrawResult(object, canvas, effect);
}

bool TvxEffectPainter::ReuseResult(const TvxEffect& effect, float scale) {
  if (!effect.ReadsAlphaOnly()) {
    kept_ = {};
    return false;
  }
  const std::span<TvxColor> pixels = bitmap_->Pixels();
  const bool same = kept_.revision == effect.Revision() && kept_.scale == scale &&
                    kept_.alpha.size() == pixels.size() &&
                    std::equal(pixels.begin(), pixels.end(), kept_.alpha.begin(),
                               [](TvxColor c, uint8_t a) { return (c >> 24) == a; });
  if (same) {
    std::copy(kept_.pixels.begin(), kept_.pixels.end(), pixels.begin());
    return true;
  }
  kept_.revision = effect.Revision();
  kept_.scale = scale;
  kept_.alpha.resize(pixels.size());
  std::transform(pixels.begin(), pixels.end(), kept_.alpha.begin(),
                 [](TvxColor c) { return uint8_t(c >> 24); });
  return false;
}

void TvxEffectPainter::KeepResult(const TvxEffect& effect) {
  if (kept_.revision != effect.Revision()) return;
  const std::span<const TvxColor> pixels = bitmap_->Pixels();
  kept_.pixels.assign(pixels.begin(), pixels.end());
}

void TvxEffectPainter::DrawCached(TvxVisualObject& object, TvxCanvas& canvas) {
  ForEachEnabledEffect(object, [&](TvxEffect& effect) { DrawResult(object, canvas, effect); });
}

void TvxEffectPainter::DrawResult(TvxVisualObject& object, TvxCanvas& canvas,
                                  const TvxEffect& effect) {
  if (bitmap_->IsEmpty()) return;
  canvas.SetMatrix(object.GetAbsoluteMatrix());
  const TvxRect source{0, 0, float(bitmap_->Width()), float(bitmap_->Height())};
  canvas.DrawBitmap(*bitmap_, source, effect.GetRect(object.GetLocalRect()),
                    object.GetAbsoluteOpacity(), object.RotateAngle() == 0);
}
