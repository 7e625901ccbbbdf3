#pragma once

// Animating the colours of a gradient (a brush's "Fill.Gradient") point by point.

#include "scene/core/Animation.h"
#include "scene/graphics/Brush.h"

class TvxGradientAnimation : public TvxAnimation {
  LC_CLASS(TvxGradientAnimation, TvxAnimation)

 public:
  using TvxAnimation::TvxAnimation;

  void Start() override;
  void ProcessAnimation() override;

  TvxGradient* StartValue() { return &startValue_; }
  TvxGradient* StopValue() { return &stopValue_; }
  bool StartFromCurrent() const { return startFromCurrent_; }
  void SetStartFromCurrent(bool value) { startFromCurrent_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  TvxGradient* TargetGradient() const;

  TvxGradient startValue_;
  TvxGradient stopValue_;
  bool startFromCurrent_ = false;
  TvxAnimationTarget target_;
};
