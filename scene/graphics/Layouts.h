#pragma once

// Invisible containers: a layout groups and places its children; a scaled layout shows its
// children, designed for its original size, scaled to its current size.

#include "scene/core/VisualObject.h"

// An invisible container: outside the designer a press on it goes to the objects beneath, so
// that only what it holds can be found under the pointer.
class TvxLayout : public TvxVisualObject {
  LC_CLASS(TvxLayout, TvxVisualObject)

 public:
  explicit TvxLayout(TComponent* owner) : TvxVisualObject(owner) {}

  bool PointInObject(const TvxPoint& p) override;
};

// Its children keep their places in original units (the alignment layout does not move
// them); the whole content is scaled by current size / original size.
class TvxScaledLayout : public TvxVisualObject {
  LC_CLASS(TvxScaledLayout, TvxVisualObject)

 public:
  explicit TvxScaledLayout(TComponent* owner);

  float OriginalWidth() const { return originalWidth_; }
  void SetOriginalWidth(float value);
  float OriginalHeight() const { return originalHeight_; }
  void SetOriginalHeight(float value);

  TvxMatrix GetChildrenMatrix() override;
  void SetWidth(float value) override;
  void SetHeight(float value) override;

 private:
  float originalWidth_ = 50;
  float originalHeight_ = 50;
};
