#include "scene/core/Visual.h"

LC_PUBLISH(TvxVisual) {
  p.Component("VisualObject", &TvxVisual::VisualObject, &TvxVisual::SetVisualObject);
}

TvxVisual::~TvxVisual() {
  if (object_) object_->RemoveFreeNotify(this);
}

void TvxVisual::SetVisualObject(TvxObject* object) {
  if (object && !object->IsVisual()) object = nullptr;
  if (object == object_) return;
  if (object_) object_->RemoveFreeNotify(this);
  object_ = object;
  OnChange(this);
  if (object_) object_->AddFreeNotify(this);
}

void TvxVisual::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxVisual*>(&source);
  if (!other) return TPersistent::Assign(source);
  SetVisualObject(other->object_);
}

void TvxVisual::FreeNotify(TvxObject* object) {
  if (object == object_) object_ = nullptr;
}
