#pragma once

// Animating a bitmap property of the parent: a cross-fade between two bitmaps, or the frames
// of a strip shown one after the other.

#include "scene/core/Animation.h"
#include "scene/graphics/Bitmap.h"

class TvxBitmapAnimation : public TvxAnimation {
  LC_CLASS(TvxBitmapAnimation, TvxAnimation)

 public:
  using TvxAnimation::TvxAnimation;

  // The stop bitmap drawn over the start bitmap at the eased progress.
  void ProcessAnimation() override;

  TvxBitmap* StartValue() { return &startValue_; }
  TvxBitmap* StopValue() { return &stopValue_; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  TvxBitmap startValue_;
  TvxBitmap stopValue_;
  TvxAnimationTarget target_;
};

class TvxBitmapListAnimation : public TvxAnimation {
  LC_CLASS(TvxBitmapListAnimation, TvxAnimation)

 public:
  using TvxAnimation::TvxAnimation;

  // Copies the frame of the strip that the eased progress points at.
  void ProcessAnimation() override;

  // AnimationCount frames of equal width side by side.
  TvxBitmap* AnimationBitmap() { return &animationBitmap_; }
  int AnimationCount() const { return animationCount_; }
  void SetAnimationCount(int value) { animationCount_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  TvxBitmap animationBitmap_;
  int animationCount_ = 1;
  TvxAnimationTarget target_;
};
