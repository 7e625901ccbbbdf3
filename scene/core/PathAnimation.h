#pragma once

// Moving the parent along a path, optionally turning it with the direction of motion; and
// the path switcher, which only carries its data.

#include <memory>

#include "scene/core/Animation.h"
#include "scene/core/Spline.h"
#include "scene/graphics/PathData.h"

class TvxPathAnimation : public TvxAnimation {
  LC_CLASS(TvxPathAnimation, TvxAnimation)

 public:
  using TvxAnimation::TvxAnimation;
  ~TvxPathAnimation() override;

  // Flattens the path into the spline the run follows and remembers where the parent is.
  void Start() override;
  void ProcessAnimation() override;

  TvxPathData* Path() { return &path_; }
  bool Rotate() const { return rotate_; }
  void SetRotate(bool value) { rotate_ = value; }

 private:
  void Turn(const TvxPoint& from, const TvxPoint& to);

  TvxPathData path_;
  bool rotate_ = false;
  std::unique_ptr<TvxSpline> spline_;
  int pointCount_ = 0;
  TvxPoint origin_;    // the parent's position at the start
  TvxPoint previous_;  // the position the last step wrote
  const TvxObject* startedOn_ = nullptr;
};

class TvxPathSwitcher : public TvxAnimation {
  LC_CLASS(TvxPathSwitcher, TvxAnimation)

 public:
  explicit TvxPathSwitcher(TComponent* owner);

  const std::string& PathTrue() const { return pathTrue_; }
  void SetPathTrue(const std::string& value) { pathTrue_ = value; }
  const std::string& PathFalse() const { return pathFalse_; }
  void SetPathFalse(const std::string& value) { pathFalse_ = value; }
  const std::string& PropertyName() const { return propertyName_; }
  void SetPropertyName(const std::string& value) { propertyName_ = value; }

 protected:
  float DefaultDuration() const override { return DefaultSwitchDuration; }

 private:
  static constexpr float DefaultSwitchDuration = 0.001f;

  std::string pathTrue_;
  std::string pathFalse_;
  std::string propertyName_;
};
