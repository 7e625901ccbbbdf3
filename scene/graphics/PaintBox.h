#pragma once

// A visual object whose look is drawn by its owner's handler.

#include "scene/core/VisualObject.h"

// Sender and the canvas, whose matrix is the box's.
using TvxPaintBoxEvent = TEvent<TObject*, TvxCanvas*>;

class TvxPaintBox : public TvxVisualObject {
  LC_CLASS(TvxPaintBox, TvxVisualObject)

 public:
  explicit TvxPaintBox(TComponent* owner) : TvxVisualObject(owner) {}

  void Paint() override;

  // Raised while the box paints itself, beneath its children. It takes the place of the
  // visual object's OnPaint of the same name, which would come after them.
  TvxPaintBoxEvent OnPaint;
};
