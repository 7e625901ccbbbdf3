#pragma once

// A persistent point (an object's position, a scale, a rotation centre), stored in form data
// as the text property "Point" and only when it differs from the point it was created with.

#include "platform/component/Publisher.h"
#include "scene/core/Geometry.h"

class TvxPosition : public TPersistent {
  LC_CLASS(TvxPosition, TPersistent)

 public:
  explicit TvxPosition(TvxPoint defaultPoint = {}) : default_(defaultPoint), point_(defaultPoint) {}

  float X() const { return point_.X; }
  float Y() const { return point_.Y; }
  void SetX(float value);
  void SetY(float value);
  TvxPoint Point() const { return point_; }
  // Stores both coordinates and notifies even when nothing changed.
  void SetPoint(const TvxPoint& point);
  TvxPoint DefaultPoint() const { return default_; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

 private:
  TvxPoint default_;
  TvxPoint point_;
};
