#pragma once

// Lines and the elliptic shapes: ellipse, circle, pie and arc. Angles are degrees, 0 at
// 3 o'clock, positive sweeps clockwise on screen.

#include "scene/graphics/PathData.h"
#include "scene/graphics/Shape.h"

enum TvxLineType { vxLineNormal, vxLineHorizontal, vxLineVertical };
extern const TEnumInfo LineTypeNames;

// A diagonal, or the top or left edge of the shape rectangle: a horizontal rule is a line
// object of small height.
class TvxLine : public TvxShape {
  LC_CLASS(TvxLine, TvxShape)

 public:
  explicit TvxLine(TComponent* owner) : TvxShape(owner) {}

  TvxLineType LineType() const { return lineType_; }
  void SetLineType(TvxLineType value);

  void Paint() override;

 private:
  TvxLineType lineType_ = vxLineNormal;
};

class TvxEllipse : public TvxShape {
  LC_CLASS(TvxEllipse, TvxShape)

 public:
  explicit TvxEllipse(TComponent* owner) : TvxShape(owner) {}

  void Paint() override;
  // Inside the ellipse inscribed in the local rectangle.
  bool PointInObject(const TvxPoint& p) override;

 protected:
  TvxEllipse(TComponent* owner, const TvxShapeDefaults& defaults) : TvxShape(owner, defaults) {}

  // The local point inside the inscribed ellipse; false for an object without area.
  bool InEllipse(const TvxPoint& local) const;
};

// The largest circle that fits the shape rectangle, centred in it.
class TvxCircle : public TvxEllipse {
  LC_CLASS(TvxCircle, TvxEllipse)

 public:
  explicit TvxCircle(TComponent* owner) : TvxEllipse(owner) {}

  void Paint() override;
};

// A slice from the centre, sweeping from StartAngle to EndAngle.
class TvxPie : public TvxEllipse {
  LC_CLASS(TvxPie, TvxEllipse)

 public:
  explicit TvxPie(TComponent* owner) : TvxEllipse(owner) {}

  float StartAngle() const { return startAngle_; }
  void SetStartAngle(float value);
  float EndAngle() const { return endAngle_; }
  void SetEndAngle(float value);

  void Paint() override;
  // Inside the slice when there is a canvas to ask, else inside the ellipse.
  bool PointInObject(const TvxPoint& p) override;

 private:
  void BuildSlice(TvxPathData& path) const;

  float startAngle_ = 0;
  float endAngle_ = -90;
};

// An open arc starting at StartAngle and sweeping by EndAngle itself (not by the difference):
// a ring drawn from 12 o'clock is an arc turned by -90 whose EndAngle runs from 0 to 360. Its
// fill starts empty, so only the stroke shows.
class TvxArc : public TvxEllipse {
  LC_CLASS(TvxArc, TvxEllipse)

 public:
  explicit TvxArc(TComponent* owner);

  float StartAngle() const { return startAngle_; }
  void SetStartAngle(float value);
  float EndAngle() const { return endAngle_; }
  void SetEndAngle(float value);

  void Paint() override;

 private:
  float startAngle_ = 0;
  float endAngle_ = -90;
};
