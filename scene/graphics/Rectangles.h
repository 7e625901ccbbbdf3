#pragma once

// Rectangles with shaped corners and selectable sides, and rounded rectangles whose radius
// is half the shorter side.

#include "scene/graphics/Shape.h"

class TvxRectangle : public TvxShape {
  LC_CLASS(TvxRectangle, TvxShape)

 public:
  explicit TvxRectangle(TComponent* owner) : TvxShape(owner) {}

  float XRadius() const { return xRadius_; }
  void SetXRadius(float value);
  float YRadius() const { return yRadius_; }
  void SetYRadius(float value);
  TvxCorners Corners() const { return corners_; }
  void SetCorners(TvxCorners value);
  TvxCornerType CornerType() const { return cornerType_; }
  void SetCornerType(TvxCornerType value);
  // Missing sides are not stroked; the fill still reaches the object's edge there.
  TvxSides Sides() const { return sides_; }
  void SetSides(TvxSides value);

  void Paint() override;

 protected:
  TvxRectangle(TComponent* owner, const TvxShapeDefaults& defaults) : TvxShape(owner, defaults) {}

 private:
  void PaintSides(TvxCanvas& canvas, const TvxRect& r, float opacity);

  float xRadius_ = 0;
  float yRadius_ = 0;
  TvxCorners corners_ = AllCorners;
  TvxCornerType cornerType_ = vxCornerRound;
  TvxSides sides_ = AllSides;
};

// Kept as its own class for the form data that names it; draws as a rectangle.
class TvxSidesRectangle : public TvxRectangle {
  LC_CLASS(TvxSidesRectangle, TvxRectangle)

 public:
  explicit TvxSidesRectangle(TComponent* owner) : TvxRectangle(owner) {}
};

class TvxRoundRect : public TvxShape {
  LC_CLASS(TvxRoundRect, TvxShape)

 public:
  explicit TvxRoundRect(TComponent* owner) : TvxShape(owner) {}

  TvxCorners Corners() const { return corners_; }
  void SetCorners(TvxCorners value);

  void Paint() override;

 protected:
  TvxRoundRect(TComponent* owner, const TvxShapeDefaults& defaults) : TvxShape(owner, defaults) {}

 private:
  TvxCorners corners_ = AllCorners;
};

// Half the shorter side of `r`: the radius that rounds the short ends completely.
float RoundRectRadius(const TvxRect& r);
