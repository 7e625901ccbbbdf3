#pragma once

// Position, scale and rotation of a gradient's radial fill, with the matrix they make.

#include "scene/core/Position.h"

class TvxTransform : public TPersistent {
  LC_CLASS(TvxTransform, TPersistent)

 public:
  TvxTransform();

  TvxPosition* Position() { return &position_; }
  TvxPosition* Scale() { return &scale_; }
  TvxPosition* RotateCenter() { return &rotateCenter_; }
  float RotateAngle() const { return rotateAngle_; }
  // Only stores the angle: the matrix takes it up at the next change of a position.
  void SetRotateAngle(float value) { rotateAngle_ = value; }
  const TvxMatrix& Matrix() const { return matrix_; }
  void Assign(const TPersistent& source) override;

  TNotifyEvent OnChange;

 private:
  void Rebuild();

  TvxPosition position_{{0, 0}};
  TvxPosition scale_{{1, 1}};
  TvxPosition rotateCenter_{{0.5f, 0.5f}};
  float rotateAngle_ = 0;
  TvxMatrix matrix_ = IdentityMatrix;
};
