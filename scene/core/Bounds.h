#pragma once

// Four side values (margins, padding), stored in form data as the text property "Rect" and
// only when a side differs from the value it was created with.

#include "platform/component/Publisher.h"
#include "scene/core/Geometry.h"

class TvxBounds : public TPersistent {
  LC_CLASS(TvxBounds, TPersistent)

 public:
  explicit TvxBounds(TvxRect defaultRect = {}) : default_(defaultRect), rect_(defaultRect) {}

  float Left() const { return rect_.Left; }
  float Top() const { return rect_.Top; }
  float Right() const { return rect_.Right; }
  float Bottom() const { return rect_.Bottom; }
  void SetLeft(float value) { SetSide(rect_.Left, value); }
  void SetTop(float value) { SetSide(rect_.Top, value); }
  void SetRight(float value) { SetSide(rect_.Right, value); }
  void SetBottom(float value) { SetSide(rect_.Bottom, value); }
  // The sides as a rectangle.
  TvxRect Rect() const { return rect_; }
  // Does nothing when all four sides are equal to the current ones.
  void SetRect(const TvxRect& rect);
  // `r` shrunk by the sides.
  TvxRect MarginRect(const TvxRect& r) const;
  bool AllZero() const { return rect_ == TvxRect{}; }
  bool Empty() const { return IsRectEmpty(rect_); }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

 private:
  void SetSide(float& side, float value);

  TvxRect default_;
  TvxRect rect_;
};
