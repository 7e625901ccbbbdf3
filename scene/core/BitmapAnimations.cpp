#include "scene/core/BitmapAnimations.h"

#include <algorithm>
#include <cmath>

#include "scene/graphics/Canvas.h"

LC_PUBLISH(TvxBitmapAnimation) {
  p.Object("StartValue", &TvxBitmapAnimation::StartValue);
  p.Object("StopValue", &TvxBitmapAnimation::StopValue);
  p.String("PropertyName", &TvxBitmapAnimation::PropertyName, &TvxBitmapAnimation::SetPropertyName);
}

LC_PUBLISH(TvxBitmapListAnimation) {
  p.Object("AnimationBitmap", &TvxBitmapListAnimation::AnimationBitmap);
  p.Integer("AnimationCount", &TvxBitmapListAnimation::AnimationCount,
            &TvxBitmapListAnimation::SetAnimationCount, 1);
  p.String("PropertyName", &TvxBitmapListAnimation::PropertyName,
           &TvxBitmapListAnimation::SetPropertyName);
}

namespace {

// Bitmap animations resolve their property at the first step on a parent.
TvxBitmap* TargetBitmap(TvxAnimationTarget& target, TvxObject* parent) {
  if (!target.On(parent)) target.Resolve(parent);
  const TvxPropertyPath* path = target.On(parent);
  return path ? path->FindObject<TvxBitmap>() : nullptr;
}

TvxRect BitmapRect(const TvxBitmap& bitmap) {
  return {0, 0, float(bitmap.Width()), float(bitmap.Height())};
}

}  // namespace

void TvxBitmapAnimation::ProcessAnimation() {
  TvxBitmap* target = TargetBitmap(target_, Parent());
  if (!target || target == &startValue_ || target == &stopValue_) return;
  const float t = NormalizedTime();
  TvxBitmap& under = Inverse() ? stopValue_ : startValue_;
  TvxBitmap& over = Inverse() ? startValue_ : stopValue_;
  target->SetSize(under.Width(), under.Height());
  TvxCanvas* canvas = target->Canvas();
  if (!canvas || !canvas->BeginScene()) return;
  canvas->Clear(0);
  canvas->DrawBitmap(under, BitmapRect(under), BitmapRect(*target), 1, false);
  canvas->DrawBitmap(over, BitmapRect(over), BitmapRect(*target), Inverse() ? 1 - t : t, false);
  canvas->EndScene();
  target->Changed();
}

void TvxBitmapListAnimation::ProcessAnimation() {
  TvxBitmap* target = TargetBitmap(target_, Parent());
  if (!target || target == &animationBitmap_ || animationCount_ <= 0) return;
  const int frameWidth = animationBitmap_.Width() / animationCount_;
  const int height = animationBitmap_.Height();
  if (frameWidth <= 0 || height <= 0) return;
  // Overshooting curves would point past the strip.
  const int frame = std::clamp(int(std::trunc(NormalizedTime() * float(animationCount_ - 1))), 0,
                               animationCount_ - 1);
  target->SetSize(frameWidth, height);
  if (target->Width() != frameWidth || target->Height() != height) return;
  for (int y = 0; y < height; ++y) {
    const TvxColor* row = animationBitmap_.Scanline(y) + size_t(frame) * size_t(frameWidth);
    std::copy_n(row, frameWidth, target->Scanline(y));
  }
  target->Changed();
}
