#pragma once

// Scroll bars: a value between Min and Max − ViewportSize, moved by the arrow buttons (one
// SmallChange), by a press on the track (one ViewportSize towards the pointer) and by
// dragging the thumb. The style gives the look ("htrack" / "vtrack" holding a "thumb", and
// "leftbutton" / "rightbutton" or "topbutton" / "bottombutton"); the geometry is the bar's
// own, so a bar without a style still scrolls.

#include <cstdint>

#include "scene/controls/Control.h"

class TvxFloatAnimation;

enum TvxOrientation { vxHorizontal, vxVertical };

class TvxScrollBar : public TvxControl {
  LC_CLASS(TvxScrollBar, TvxControl)

 public:
  explicit TvxScrollBar(TComponent* owner);
  ~TvxScrollBar() override;

  float Min() const { return min_; }
  void SetMin(float value);
  float Max() const { return max_; }
  void SetMax(float value);
  // Kept within Min .. Max − ViewportSize (Min when the viewport covers the range).
  float Value() const { return value_; }
  void SetValue(float value);
  float ViewportSize() const { return viewportSize_; }
  void SetViewportSize(float value);
  float SmallChange() const { return smallChange_; }
  void SetSmallChange(float value) { smallChange_ = value; }
  TvxOrientation Orientation() const { return orientation_; }
  void SetOrientation(TvxOrientation value);
  // The largest value the bar takes.
  float MaxValue() const;
  // Glides to `value` over a fifth of a second, or jumps there when `animated` is false.
  void ScrollTo(float value, bool animated);
  // Where a running glide ends, else the value.
  float TargetValue() const;

  // The thumb's and the track's rectangles in the bar's own coordinates.
  TvxRect TrackRect();
  TvxRect ThumbRect();

  void ApplyStyle() override;
  void FreeStyle() override;
  void Realign() override;
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;

  TNotifyEvent OnChange;

 private:
  bool IsVertical() const { return orientation_ == vxVertical; }
  // The part's rectangle in the bar's coordinates; empty without the part.
  TvxRect PartRect(TvxVisualObject* part);
  float Along(const TvxPoint& p) const { return IsVertical() ? p.Y : p.X; }
  float TrackStart(const TvxRect& r) const { return IsVertical() ? r.Top : r.Left; }
  float TrackLength(const TvxRect& r) const;
  void PlaceThumb();
  void ShowOrientationParts();
  void StopGlide();

  float min_ = 0;
  float max_ = 100;
  float value_ = 0;
  float viewportSize_ = 0;
  float smallChange_ = 1;
  TvxOrientation orientation_ = vxHorizontal;
  TvxVisualObject* track_ = nullptr;
  TvxVisualObject* thumb_ = nullptr;
  TvxVisualObject* lessButton_ = nullptr;
  TvxVisualObject* moreButton_ = nullptr;
  TvxFloatAnimation* glide_ = nullptr;
  bool dragging_ = false;
  float dragOffset_ = 0;  // from the thumb's start to the pointer
};

// The thin variant without arrow buttons.
class TvxSmallScrollBar : public TvxScrollBar {
  LC_CLASS(TvxSmallScrollBar, TvxScrollBar)

 public:
  explicit TvxSmallScrollBar(TComponent* owner);
};
