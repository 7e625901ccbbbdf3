#include "scene/graphics/Canvas.h"

#include <algorithm>

#include "scene/graphics/RectOutline.h"

namespace {

constexpr float kDash[] = {3, 1};
constexpr float kDot[] = {1, 1};
constexpr float kDashDot[] = {3, 1, 1, 1};
constexpr float kDashDotDot[] = {3, 1, 1, 1, 1, 1};

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

// Base behaviour of the frame operations.

void TvxCanvas::FontChanged(TObject*) {}

bool TvxCanvas::BeginScene() {
  return true;
}

void TvxCanvas::EndScene() {}

void TvxCanvas::ResizeBuffer(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

TvxColor* TvxCanvas::GetBitmapScanline(TvxBitmap& bitmap, int row) {
  if (bitmap.IsEmpty() || row < 0 || row >= bitmap.Height()) return nullptr;
  return bitmap.Pixels().data() + size_t(row) * size_t(bitmap.Width());
}

void TvxCanvas::SetMatrix(const TvxMatrix& matrix) {
  matrix_ = matrix;
}

void TvxCanvas::MultiplyMatrix(const TvxMatrix&) {}

void TvxCanvas::LoadFontFromStream(TMemoryStream&) {}

// Saved states.

int TvxCanvas::SaveCanvas() {
  const int handle = SaveState();
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
  RestoreState(slot.Handle);
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

float TvxCanvas::TextWidth(const std::u16string& text) {
  TvxRect rect{0, 0, 10000, 20};
  MeasureText(rect, text, false, vxTextAlignNear, vxTextAlignCenter);
  return RectWidth(rect);
}
