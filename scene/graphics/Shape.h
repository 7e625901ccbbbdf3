#pragma once

// The base of the drawn primitives: a fill brush, a stroke brush and the pen settings, handed
// to the canvas before the shape paints itself. Subclasses publish the part they use.

#include <memory>

#include "platform/component/Publisher.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/GraphicsTypes.h"

class TvxCanvas;

// The brushes a shape class starts with; they are also what its form data leaves unstored.
struct TvxShapeDefaults {
  TvxBrushStyle FillStyle = vxBrushSolid;
  TvxColor FillColor = 0xFFE0E0E0;
  TvxBrushStyle StrokeStyle = vxBrushSolid;
};

class TvxShape : public TvxVisualObject {
  LC_CLASS(TvxShape, TvxVisualObject)

 public:
  explicit TvxShape(TComponent* owner);
  ~TvxShape() override;

  TvxBrush* Fill() const { return fill_.get(); }
  TvxBrush* Stroke() const { return stroke_.get(); }
  TvxStrokeCap StrokeCap() const { return strokeCap_; }
  void SetStrokeCap(TvxStrokeCap value);
  TvxStrokeDash StrokeDash() const { return strokeDash_; }
  void SetStrokeDash(TvxStrokeDash value);
  TvxStrokeJoin StrokeJoin() const { return strokeJoin_; }
  void SetStrokeJoin(TvxStrokeJoin value);
  float StrokeThickness() const { return strokeThickness_; }
  void SetStrokeThickness(float value);

  // The local rectangle, shrunk by half the stroke when there is one, so that the stroke
  // lies inside the object.
  TvxRect GetShapeRect();
  // Gives `canvas` this shape's brushes and pen.
  void ApplyPaintTo(TvxCanvas& canvas) const;

  void BeforePaint() override;
  void AfterPaint() override;

 protected:
  TvxShape(TComponent* owner, const TvxShapeDefaults& defaults);

  // Something that changes the look: the effect result is stale and the area repaints.
  virtual void ShapeChanged();
  // A brush took another colour of the same alpha.
  virtual void ColoursChanged();

 private:
  void BrushChanged(TObject* sender);

  std::unique_ptr<TvxBrush> fill_;
  std::unique_ptr<TvxBrush> stroke_;
  TvxStrokeCap strokeCap_ = vxCapFlat;
  TvxStrokeDash strokeDash_ = vxDashSolid;
  TvxStrokeJoin strokeJoin_ = vxJoinMiter;
  float strokeThickness_ = 1;
};

// The design-time frame of objects whose content may be invisible (images, paths): the local
// rectangle shrunk by half a unit, dashed grey, drawn only while the scene is designed.
void DrawDesignFrame(TvxVisualObject& object, TvxCanvas& canvas);

// How many tiles of size `tile` cover `extent` when drawn from index 0 to
// round(extent / tile), the last one possibly cut: that count plus one, held to a sane number
// whatever the sizes (0 when they make no sense).
int TileRepeats(float extent, float tile);

// Publishing helpers for the subclasses, which publish the brushes they draw with.
template <class C>
void PublishFill(TPublisher<C>& p) {
  p.Object("Fill", &TvxShape::Fill);
}

template <class C>
void PublishStroke(TPublisher<C>& p) {
  p.Object("Stroke", &TvxShape::Stroke);
  p.Enum("StrokeCap", StrokeCapNames, &TvxShape::StrokeCap, &TvxShape::SetStrokeCap, vxCapFlat);
  p.Enum("StrokeDash", StrokeDashNames, &TvxShape::StrokeDash, &TvxShape::SetStrokeDash,
         vxDashSolid);
  p.Enum("StrokeJoin", StrokeJoinNames, &TvxShape::StrokeJoin, &TvxShape::SetStrokeJoin,
         vxJoinMiter);
  p.Float("StrokeThickness", &TvxShape::StrokeThickness, &TvxShape::SetStrokeThickness, 1);
}

template <class C>
void PublishShapeBrushes(TPublisher<C>& p) {
  PublishFill(p);
  PublishStroke(p);
}
