#pragma once

// The animation tests of this folder: an object with the kinds of properties animations write.

#include <string>

#include "AnimationFixture.h"
#include "scene/core/Bounds.h"

// A brush-like sub-object with a colour text.
class TAnimBrush : public TPersistent {
  LC_CLASS(TAnimBrush, TPersistent)

 public:
  std::string color = "#FF000000";
};

// A visual-like object publishing what animations and triggers read and write.
class TAnimTarget : public TvxObject {
  LC_CLASS(TAnimTarget, TvxObject)

 public:
  explicit TAnimTarget(TComponent* owner) : TvxObject(owner) {
    SetVisual();
    padding.OnChange = [this](TObject*) { ++paddingChanges; };
  }
  TAnimBrush* Fill() const { return &fill; }
  TvxBounds* Padding() const { return &padding; }

  bool visible = true;
  float width = 0;
  uint32_t tint = 0;
  bool isMouseOver = false;
  bool isPressed = false;
  int paddingChanges = 0;
  mutable TAnimBrush fill;
  mutable TvxBounds padding;
};

class AnimationTest : public AnimationDriverTest {
 protected:
  // A target in the scene.
  TAnimTarget* MakeTarget();
};
