#include "scene/graphics/Canvas.h"

#include <algorithm>
#include <cmath>

#include "scene/core/ScopedValue.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/RectOutline.h"

namespace {

constexpr float kDash[] = {3, 1};
constexpr float kDot[] = {1, 1};
constexpr float kDashDot[] = {3, 1, 1, 1};
constexpr float kDashDotDot[] = {3, 1, 1, 1, 1, 1};
// Radii below this stroke a plain rectangle.
constexpr float kNoRadius = 1e-40f;

// False for a path with nothing to draw: no entries, or its points (Close entries excluded)
// span no area.
bool HasArea(const TvxPathData& path) {
  bool any = false;
  TvxRect b{};
  for (const TvxPathPoint& p : path.Points()) {
    if (p.Kind == vxPathPointClose) continue;
    if (!any) b = {p.Point.X, p.Point.Y, p.Point.X, p.Point.Y};
    any = true;
    b.Left = std::min(b.Left, p.Point.X);
    b.Top = std::min(b.Top, p.Point.Y);
    b.Right = std::max(b.Right, p.Point.X);
    b.Bottom = std::max(b.Bottom, p.Point.Y);
  }
  return any && RectWidth(b) * RectHeight(b) > 0;
}

// While a visual fill paints its object: the object's opacity is the fill's, and the canvas's
// stroke comes back as it was, whatever the object set.
class TvxVisualPaintScope {
 public:
  TvxVisualPaintScope(TvxVisualObject& object, float opacity, TvxCanvas& canvas)
      : object_(object),
        canvas_(canvas),
        opacity_(object.Opacity()),
        stroke_(canvas.Stroke().DefaultStyle(), canvas.Stroke().DefaultColor()),
        thickness_(canvas.StrokeThickness()) {
    stroke_.Assign(canvas.Stroke());
    object.SetOpacity(opacity);
  }
  ~TvxVisualPaintScope() {
    object_.SetOpacity(opacity_);
    canvas_.Stroke().Assign(stroke_);
    canvas_.SetStrokeThickness(thickness_);
  }
  TvxVisualPaintScope(const TvxVisualPaintScope&) = delete;
  TvxVisualPaintScope& operator=(const TvxVisualPaintScope&) = delete;

 private:
  TvxVisualObject& object_;
  TvxCanvas& canvas_;
  float opacity_;
  TvxBrush stroke_;
  float thickness_;
};

}  // namespace

TvxCanvas::TvxCanvas()
    : fill_(std::make_unique<TvxBrush>(vxBrushSolid, 0xFFFFFFFF)),
      stroke_(std::make_unique<TvxBrush>(vxBrushSolid, 0xFF000000)),
      font_(std::make_unique<TvxFont>()),
      buffered_(true) {
  font_->OnChange = [this](TObject* sender) { FontChanged(sender); };
}

TvxCanvas::TvxCanvas(TvxBitmap& bitmap) : TvxCanvas() {
  buffered_ = false;
  bitmap_ = &bitmap;
  width_ = std::max(bitmap.Width(), 1);
  height_ = std::max(bitmap.Height(), 1);
}

TvxCanvas::~TvxCanvas() = default;

// State.

void TvxCanvas::SetStrokeDash(TvxStrokeDash value) {
  if (value == strokeDash_) return;
  strokeDash_ = value;
  switch (value) {
    case vxDashSolid:
      dashArray_.clear();
      break;
    case vxDashDash:
      SetDashArray(kDash);
      break;
    case vxDashDot:
      SetDashArray(kDot);
      break;
    case vxDashDashDot:
      SetDashArray(kDashDot);
      break;
    case vxDashDashDotDot:
      SetDashArray(kDashDotDot);
      break;
    case vxDashCustom:
      return;
  }
  dashOffset_ = 0;
}

void TvxCanvas::SetDashArray(std::span<const float> value) {
  dashArray_.assign(value.begin(), value.end());
}

// Frames.

void TvxCanvas::FontChanged(TObject*) {
  OnFontChanged();
}

void TvxCanvas::OnFontChanged() {}

bool TvxCanvas::BeginScene() {
  return OnBeginScene();
}

bool TvxCanvas::OnBeginScene() {
  return true;
}

void TvxCanvas::EndScene() {
  OnEndScene();
}

void TvxCanvas::OnEndScene() {}

void TvxCanvas::FlushBuffer(int x, int y, TvxDeviceContext dc) {
  FlushBufferRect(x, y, dc, RectOf(0, 0, float(width_ - 1), float(height_ - 1)));
}

void TvxCanvas::FlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect) {
  if (dc) OnFlushBufferRect(x, y, dc, rect);
}

void TvxCanvas::FreeBuffer() {
  OnFreeBuffer();
}

void TvxCanvas::ResizeBuffer(int width, int height) {
  OnResizeBuffer(std::max(width, 1), std::max(height, 1));
}

void TvxCanvas::OnResizeBuffer(int width, int height) {
  SetSize(width, height);
}

void TvxCanvas::SetSize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

void TvxCanvas::Clear(TvxColor color) {
  OnClear(color);
}

void TvxCanvas::ClearRect(const TvxRect& rect, TvxColor color) {
  if (deviceScale_ == 1) return OnClearRect(rect, color);
  // Edges a rounding error away from a device pixel's border land on it; others widen the
  // area to whole device pixels.
  const auto low = [this](float edge) { return std::floor(edge * deviceScale_ + 1.0f / 64); };
  const auto high = [this](float edge) { return std::ceil(edge * deviceScale_ - 1.0f / 64); };
  OnClearRect({low(rect.Left), low(rect.Top), high(rect.Right), high(rect.Bottom)}, color);
}

TvxColor* TvxCanvas::GetBitmapScanline(TvxBitmap& bitmap, int row) {
  if (bitmap.IsEmpty() || row < 0 || row >= bitmap.Height()) return nullptr;
  return bitmap.Pixels().data() + size_t(row) * size_t(bitmap.Width());
}

void TvxCanvas::LoadFontFromStream(TMemoryStream& stream) {
  OnLoadFontFromStream(stream);
}

void TvxCanvas::OnLoadFontFromStream(TMemoryStream&) {}

// Transform.

void TvxCanvas::SetMatrix(const TvxMatrix& matrix) {
  matrix_ = matrix;
  OnSetMatrix(DeviceMatrix());
}

void TvxCanvas::SetDeviceScale(float value) {
  constexpr float kMaxDeviceScale = 16;
  value = value > 0 ? std::min(value, kMaxDeviceScale) : 1;
  if (value == deviceScale_) return;
  deviceScale_ = value;
  OnSetMatrix(DeviceMatrix());
}

TvxMatrix TvxCanvas::DrawingMatrix() const {
  return visualBase_ ? MatrixMultiply(matrix_, *visualBase_) : matrix_;
}

TvxMatrix TvxCanvas::DeviceMatrix() const {
  if (deviceScale_ == 1) return DrawingMatrix();
  TvxMatrix scale = IdentityMatrix;
  scale.m11 = deviceScale_;
  scale.m22 = deviceScale_;
  return MatrixMultiply(DrawingMatrix(), scale);
}

void TvxCanvas::MultiplyMatrix(const TvxMatrix& matrix) {
  OnMultiplyMatrix(matrix);
}

// Saved states.

int TvxCanvas::SaveCanvas() {
  const int handle = OnSaveState();
  if (handle < 0) return -1;
  auto free = std::find_if(saved_.begin(), saved_.end(),
                           [](const TvxSaveData& slot) { return slot.Handle == -1; });
  if (free == saved_.end()) free = saved_.emplace(saved_.end());
  SaveInto(*free, handle);
  return int(free - saved_.begin());
}

void TvxCanvas::SaveInto(TvxSaveData& slot, int handle) {
  slot.Handle = handle;
  slot.Matrix = matrix_;
  if (!slot.Stroke) slot.Stroke = std::make_unique<TvxBrush>(vxBrushSolid, 0xFF000000);
  slot.Stroke->Assign(*stroke_);
  if (!slot.Fill) slot.Fill = std::make_unique<TvxBrush>(vxBrushSolid, 0xFFFFFFFF);
  slot.Fill->Assign(*fill_);
  slot.StrokeThickness = strokeThickness_;
  slot.StrokeCap = strokeCap_;
  slot.StrokeJoin = strokeJoin_;
  slot.StrokeDash = strokeDash_;
  slot.DashArray.assign(dashArray_.begin(), dashArray_.end());
  slot.DashOffset = dashOffset_;
  if (!slot.Font) slot.Font = std::make_unique<TvxFont>();
  slot.Font->Assign(*font_);
}

void TvxCanvas::RestoreCanvas(int index) {
  if (index < 0 || index >= int(saved_.size())) return;
  TvxSaveData& slot = saved_[size_t(index)];
  if (slot.Handle == -1) return;
  OnRestoreState(slot.Handle);
  slot.Handle = -1;
  SetMatrix(slot.Matrix);
  stroke_->Assign(*slot.Stroke);
  fill_->Assign(*slot.Fill);
  strokeThickness_ = slot.StrokeThickness;
  strokeCap_ = slot.StrokeCap;
  strokeJoin_ = slot.StrokeJoin;
  strokeDash_ = slot.StrokeDash;
  // Also for solid dashes, so a dash set after the save does not outlive the restore.
  dashArray_.assign(slot.DashArray.begin(), slot.DashArray.end());
  dashOffset_ = slot.DashOffset;
  font_->Assign(*slot.Font);
}

// Clipping.

void TvxCanvas::SetClipRects(std::span<const TvxRect> rects) {
  OnSetClipRects(rects);
}

void TvxCanvas::IntersectClipRect(const TvxRect& rect) {
  OnIntersectClipRect(rect);
}

void TvxCanvas::ExcludeClipRect(const TvxRect& rect) {
  OnExcludeClipRect(rect);
}

void TvxCanvas::ResetClipRect() {
  OnResetClipRect();
}

// Shapes.

// A resource that cannot be found paints nothing, like no brush.
bool TvxCanvas::Resolve(TvxBrush& brush) {
  if (brush.Style() == vxBrushResource) {
    TvxBrush* resolved = brush.ResolvedResource();
    if (resolved && resolved != &brush) brush.Assign(*resolved);
  }
  return brush.Style() != vxBrushNone && brush.Style() != vxBrushResource;
}

// The object paints into this canvas as into a surface of its own whose pixels are the
// filled shape's drawing units: every matrix it sets lands on top of the shape's. A visual
// fill met while painting one is skipped: an object filled with itself would never end.
void TvxCanvas::FillVisual(const TvxRect& rect, float opacity, const TvxPathData* outline) {
  auto* object = dynamic_cast<TvxVisualObject*>(fill_->Visual()->VisualObject());
  if (!object || paintingVisual_) return;
  const int saved = SaveCanvas();
  if (outline) {
    OnIntersectClipPath(*outline, rect);
  } else {
    OnIntersectClipRect(rect);
  }
  {
    const TvxScopedValue<bool> busy(paintingVisual_, true);
    const TvxScopedValue<std::optional<TvxMatrix>> base(visualBase_, DrawingMatrix());
    const TvxVisualPaintScope scope(*object, opacity, *this);
    object->PaintTo(*this, rect);
  }
  RestoreCanvas(saved);
}

void TvxCanvas::DrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity) {
  if (Resolve(*stroke_)) OnDrawLine(p1, p2, opacity);
}

void TvxCanvas::FillRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                         float opacity, TvxCornerType cornerType) {
  if (!Resolve(*fill_)) return;
  const bool visual = fill_->Style() == vxBrushVisual;
  if ((xRadius == 0 && yRadius == 0) || (corners & AllCorners) == 0) {
    visual ? FillVisual(rect, opacity, nullptr) : OnFillRect(rect, opacity);
    return;
  }
  WithScratchPath([&](TvxPathData& outline) {
    AppendCornerOutline(outline, rect, xRadius, yRadius, corners, cornerType);
    if (!HasArea(outline)) return;
    visual ? FillVisual(rect, opacity, &outline) : OnFillPath(outline, rect, opacity);
  });
}

void TvxCanvas::DrawRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                         float opacity, TvxCornerType cornerType) {
  if (!Resolve(*stroke_)) return;
  if (xRadius < kNoRadius && yRadius < kNoRadius) return OnDrawRect(rect, opacity);
  WithScratchPath([&](TvxPathData& outline) {
    AppendCornerOutline(outline, rect, xRadius, yRadius, corners, cornerType);
    OnDrawOutline(outline, rect, opacity);
  });
}

void TvxCanvas::FillEllipse(const TvxRect& rect, float opacity) {
  if (!Resolve(*fill_)) return;
  if (fill_->Style() != vxBrushVisual) return OnFillEllipse(rect, opacity);
  WithScratchPath([&](TvxPathData& outline) {
    const TvxPoint radius{RectWidth(rect) / 2, RectHeight(rect) / 2};
    outline.AddArc({rect.Left + radius.X, rect.Top + radius.Y}, radius, 0, 360);
    outline.ClosePath();
    if (HasArea(outline)) FillVisual(rect, opacity, &outline);
  });
}

void TvxCanvas::DrawEllipse(const TvxRect& rect, float opacity) {
  if (Resolve(*stroke_)) OnDrawEllipse(rect, opacity);
}

bool TvxCanvas::PtInPath(const TvxPoint& point, const TvxRect& rect, const TvxPathData& path) {
  return HasArea(path) && OnPtInPath(point, rect, path);
}

void TvxCanvas::FillPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (!HasArea(path) || !Resolve(*fill_)) return;
  if (fill_->Style() == vxBrushVisual) return FillVisual(rect, opacity, &path);
  OnFillPath(path, rect, opacity);
}

void TvxCanvas::DrawPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (HasArea(path) && Resolve(*stroke_)) OnDrawPath(path, rect, opacity);
}

void TvxCanvas::DrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect, const TvxRect& dstRect,
                           float opacity, bool highSpeed) {
  if (opacity > 0 && !bitmap.IsEmpty())
    OnDrawBitmap(bitmap, srcRect, dstRect, std::min(opacity, 1.0f), highSpeed);
}

void TvxCanvas::DrawThumbnail(TvxBitmap& bitmap, float width, float height) {
  if (!buffered_ && !bitmap.IsEmpty()) OnDrawThumbnail(bitmap, width, height);
}

// Operations built on the path operations.

template <class Build>
void TvxCanvas::WithScratchPath(Build&& build) {
  // A visual fill may paint back into this canvas while a scratch path is being drawn.
  if (scratchBusy_) {
    TvxPathData local;
    return build(local);
  }
  scratchBusy_ = true;
  struct Release {
    bool& busy;
    ~Release() { busy = false; }
  } release{scratchBusy_};
  scratch_.Clear();
  build(scratch_);
}

void TvxCanvas::BuildPolygonPath(TvxPathData& path, std::span<const TvxPoint> points,
                                 bool closeLast) {
  bool figureStart = true;
  for (const TvxPoint& point : points) {
    if (point == PolygonCloseMarker) {
      path.ClosePath();
      figureStart = true;
    } else if (figureStart) {
      path.MoveTo(point);
      figureStart = false;
    } else {
      path.LineTo(point);
    }
  }
  // Filling closes an open last figure through its last point.
  if (closeLast && !figureStart) path.ClosePath();
}

void TvxCanvas::FillPolygon(std::span<const TvxPoint> points, float opacity) {
  WithScratchPath([&](TvxPathData& path) {
    BuildPolygonPath(path, points, true);
    if (!path.IsEmpty()) FillPath(path, path.GetBounds(), opacity);
  });
}

void TvxCanvas::DrawPolygon(std::span<const TvxPoint> points, float opacity) {
  WithScratchPath([&](TvxPathData& path) {
    BuildPolygonPath(path, points, false);
    if (!path.IsEmpty()) DrawPath(path, path.GetBounds(), opacity);
  });
}

void TvxCanvas::FillArc(const TvxPoint& center, const TvxPoint& radius, float startAngle,
                        float sweepAngle, float opacity) {
  WithScratchPath([&](TvxPathData& path) {
    path.AddArc(center, radius, startAngle, sweepAngle);
    if (!path.IsEmpty()) FillPath(path, path.GetBounds(), opacity);
  });
}

void TvxCanvas::DrawArc(const TvxPoint& center, const TvxPoint& radius, float startAngle,
                        float sweepAngle, float opacity) {
  WithScratchPath([&](TvxPathData& path) {
    path.AddArc(center, radius, startAngle, sweepAngle);
    if (!path.IsEmpty()) DrawPath(path, path.GetBounds(), opacity);
  });
}

void TvxCanvas::DrawRectSides(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                              float opacity, TvxSides sides, TvxCornerType cornerType) {
  WithScratchPath([&](TvxPathData& path) {
    AppendRectOutline(path, rect, xRadius, yRadius, corners, sides, cornerType);
    // Drawn at its own bounds: a partial outline must not be stretched to the rectangle.
    DrawPath(path, path.GetBounds(), opacity);
  });
}

// Text.

// A visual fill has nothing to lay over glyphs: text filled with one stays invisible.
void TvxCanvas::FillText(const TvxRect& rect, const std::u16string& text, bool wordWrap,
                         float opacity, TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  if (text.empty() || !Resolve(*fill_) || fill_->Style() == vxBrushVisual) return;
  OnFillText(rect, text, wordWrap, opacity == 1 ? 0.99f : opacity, horzAlign, vertAlign);
}

void TvxCanvas::MeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap,
                            TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  if (!wordWrap) rect.Right = rect.Left;
  if (!text.empty()) OnMeasureText(rect, text, wordWrap, horzAlign, vertAlign);
}

bool TvxCanvas::TextToPath(TvxPathData& path, const TvxRect& rect, const std::u16string& text,
                           bool wordWrap, TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  return !text.empty() && OnTextToPath(path, rect, text, wordWrap, horzAlign, vertAlign);
}

float TvxCanvas::TextWidth(const std::u16string& text) {
  TvxRect rect{0, 0, 10000, 20};
  MeasureText(rect, text, false, vxTextAlignNear, vxTextAlignCenter);
  return RectWidth(rect);
}
