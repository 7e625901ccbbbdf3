#include "scene/graphics/Shape.h"

#include <algorithm>

#include "scene/graphics/Canvas.h"
#include "scene/graphics/CanvasStateGuard.h"

// Each subclass publishes the brushes it draws with.
LC_PUBLISH(TvxShape) {}

TvxShape::TvxShape(TComponent* owner) : TvxShape(owner, {}) {}

TvxShape::TvxShape(TComponent* owner, const TvxShapeDefaults& defaults)
    : TvxVisualObject(owner),
      fill_(std::make_unique<TvxBrush>(defaults.FillStyle, defaults.FillColor)),
      stroke_(std::make_unique<TvxBrush>(defaults.StrokeStyle, 0xFF000000)) {
  fill_->OnChange = TNotifyEvent(this, &TvxShape::BrushChanged);
  stroke_->OnChange = TNotifyEvent(this, &TvxShape::BrushChanged);
}

TvxShape::~TvxShape() {
  DestroyTree();
}

void TvxShape::SetStrokeCap(TvxStrokeCap value) {
  if (value == strokeCap_) return;
  strokeCap_ = value;
  ShapeChanged();
}

void TvxShape::SetStrokeDash(TvxStrokeDash value) {
  if (value == strokeDash_) return;
  strokeDash_ = value;
  ShapeChanged();
}

void TvxShape::SetStrokeJoin(TvxStrokeJoin value) {
  if (value == strokeJoin_) return;
  strokeJoin_ = value;
  ShapeChanged();
}

void TvxShape::SetStrokeThickness(float value) {
  if (value == strokeThickness_) return;
  strokeThickness_ = value;
  ShapeChanged();
}

void TvxShape::ShapeChanged() {
  InvalidateEffectCache();
  Repaint();
}

void TvxShape::ColoursChanged() {
  InvalidateEffectCache();
  RepaintColours();
}

void TvxShape::BrushChanged(TObject* sender) {
  if (static_cast<const TvxBrush*>(sender)->ChangeKeepsAlpha()) {
    ColoursChanged();
  } else {
    ShapeChanged();
  }
}

TvxRect TvxShape::GetShapeRect() {
  TvxRect r = GetLocalRect();
  if (stroke_->Style() != vxBrushNone) InflateRect(r, -strokeThickness_ / 2, -strokeThickness_ / 2);
  return r;
}

void TvxShape::ApplyPaintTo(TvxCanvas& canvas) const {
  canvas.Fill().Assign(*fill_);
  canvas.Stroke().Assign(*stroke_);
  canvas.SetStrokeThickness(strokeThickness_);
  canvas.SetStrokeCap(strokeCap_);
  canvas.SetStrokeJoin(strokeJoin_);
  canvas.SetStrokeDash(strokeDash_);
}

void TvxShape::BeforePaint() {
  if (TvxCanvas* canvas = Canvas()) ApplyPaintTo(*canvas);
}

void TvxShape::AfterPaint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  canvas->SetStrokeDash(vxDashSolid);
  canvas->SetStrokeThickness(1);
}

void DrawDesignFrame(TvxVisualObject& object, TvxCanvas& canvas) {
  IvxScene* scene = object.Scene();
  if (!scene || !scene->IsDesigning()) return;
  const TvxCanvasStateGuard saved(canvas);
  canvas.Stroke().SetStyle(vxBrushSolid);
  canvas.Stroke().SetColor(0xA0909090);
  canvas.SetStrokeThickness(1);
  canvas.SetStrokeDash(vxDashDash);
  TvxRect r = object.GetLocalRect();
  canvas.DrawRect(InflateRect(r, -0.5f, -0.5f), 0, 0, AllCorners, 1, vxCornerRound);
}

int TileRepeats(float extent, float tile) {
  constexpr double kMaxRepeats = 1024;
  const double count = RoundHalfEven(double(extent) / double(tile));
  if (!(count >= 0)) return 0;
  return int(std::min(count, kMaxRepeats)) + 1;
}
