#pragma once

// Animating a float property (an opacity, a width, an angle) of the parent.

#include "scene/core/Animation.h"

class TvxFloatAnimation : public TvxAnimation {
  LC_CLASS(TvxFloatAnimation, TvxAnimation)

 public:
  using TvxAnimation::TvxAnimation;

  void Start() override;
  void ProcessAnimation() override;

  float StartValue() const { return startValue_; }
  void SetStartValue(float value) { startValue_ = value; }
  float StopValue() const { return stopValue_; }
  void SetStopValue(float value) { stopValue_ = value; }
  bool StartFromCurrent() const { return startFromCurrent_; }
  void SetStartFromCurrent(bool value) { startFromCurrent_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  float startValue_ = 0;
  float stopValue_ = 0;
  bool startFromCurrent_ = false;
  TvxAnimationTarget target_;
};

// The float property at `path`, if it is one.
bool ReadFloatProperty(const TvxPropertyPath& path, float& value);
void WriteFloatProperty(const TvxPropertyPath& path, float value);
