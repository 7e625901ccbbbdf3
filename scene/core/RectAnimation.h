#pragma once

// Animating a side-values property (Padding, Margins) of the parent.

#include "scene/core/Animation.h"
#include "scene/core/Bounds.h"

class TvxRectAnimation : public TvxAnimation {
  LC_CLASS(TvxRectAnimation, TvxAnimation)

 public:
  using TvxAnimation::TvxAnimation;

  void Start() override;
  void ProcessAnimation() override;

  TvxBounds* StartValue() { return &startValue_; }
  TvxBounds* StopValue() { return &stopValue_; }
  bool StartFromCurrent() const { return startFromCurrent_; }
  void SetStartFromCurrent(bool value) { startFromCurrent_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  TvxBounds* TargetBounds() const;

  TvxBounds startValue_;
  TvxBounds stopValue_;
  bool startFromCurrent_ = false;
  TvxAnimationTarget target_;
};
