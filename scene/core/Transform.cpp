#include "scene/core/Transform.h"

LC_PUBLISH(TvxTransform) {
  p.Object("Position", &TvxTransform::Position);
  p.Object("Scale", &TvxTransform::Scale);
  p.Float("RotateAngle", &TvxTransform::RotateAngle, &TvxTransform::SetRotateAngle);
  p.Object("RotateCenter", &TvxTransform::RotateCenter);
}

TvxTransform::TvxTransform() {
  const auto rebuild = [this](TObject*) { Rebuild(); };
  position_.OnChange = rebuild;
  scale_.OnChange = rebuild;
  rotateCenter_.OnChange = rebuild;
}

void TvxTransform::Rebuild() {
  matrix_ = IdentityMatrix;
  matrix_.m11 = scale_.X();
  matrix_.m22 = scale_.Y();
  matrix_.m31 = position_.X();
  matrix_.m32 = position_.Y();
  if (rotateAngle_ != 0) matrix_ = MatrixMultiply(RotationMatrix(DegToRad(rotateAngle_)), matrix_);
  OnChange(this);
}

void TvxTransform::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxTransform*>(&source);
  if (!other) return TPersistent::Assign(source);
  rotateAngle_ = other->rotateAngle_;
  position_.SetPoint(other->position_.Point());
  scale_.SetPoint(other->scale_.Point());
  rotateCenter_.SetPoint(other->rotateCenter_.Point());
  Rebuild();
}
