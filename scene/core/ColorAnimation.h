#pragma once

// Animating a colour property of the parent: colour text such as a brush's "Color", or a
// colour held as an integer.

#include "scene/core/Animation.h"
#include "scene/core/Color.h"

class TvxColorAnimation : public TvxAnimation {
  LC_CLASS(TvxColorAnimation, TvxAnimation)

 public:
  using TvxAnimation::TvxAnimation;

  void Start() override;
  void ProcessAnimation() override;

  TvxColor StartValue() const { return startValue_; }
  void SetStartValue(TvxColor value) { startValue_ = value; }
  TvxColor StopValue() const { return stopValue_; }
  void SetStopValue(TvxColor value) { stopValue_ = value; }
  // The colour text forms that form data holds.
  std::string StartValueText() const;
  void SetStartValueText(const std::string& text);
  std::string StopValueText() const;
  void SetStopValueText(const std::string& text);
  bool StartFromCurrent() const { return startFromCurrent_; }
  void SetStartFromCurrent(bool value) { startFromCurrent_ = value; }
  const std::string& PropertyName() const { return target_.PropertyName(); }
  void SetPropertyName(const std::string& value) { target_.SetPropertyName(value); }

 private:
  TvxColor startValue_ = 0xFFFFFFFF;
  TvxColor stopValue_ = 0xFFFFFFFF;
  bool startFromCurrent_ = false;
  TvxAnimationTarget target_;
};

// The colour property at `path`: colour text or an integer.
bool ReadColorProperty(const TvxPropertyPath& path, TvxColor& color);
void WriteColorProperty(const TvxPropertyPath& path, TvxColor color);
