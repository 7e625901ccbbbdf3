#pragma once

// The root object of every scene: a control that fills itself with its own brush and otherwise
// shows its style ("backgroundstyle"), except as the root of a transparent scene.

#include <memory>

#include "scene/controls/Control.h"
#include "scene/graphics/Brush.h"

class TvxBackground : public TvxControl {
  LC_CLASS(TvxBackground, TvxControl)

 public:
  explicit TvxBackground(TComponent* owner);

  // No style by default; assigning copies the brush.
  TvxBrush* Fill() const { return fill_.get(); }
  void SetFill(const TvxBrush& value);

  // Fills the local rectangle when the fill has a style.
  void Paint() override;
  // A fill, or the transparent root of a scene, hides the style while the children paint.
  void PaintChildren() override;

 private:
  bool HidesStyle() const;

  std::unique_ptr<TvxBrush> fill_;
};
