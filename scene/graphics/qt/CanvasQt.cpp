#include "scene/graphics/qt/CanvasQt.h"

#include <QFontDatabase>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <new>

#include "platform/component/Exceptions.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/qt/BitmapImage.h"
#include "scene/graphics/qt/FontSubstitution.h"
#include "scene/graphics/qt/QtPaths.h"

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;
// Radii below this draw a plain rectangle outline.
constexpr float kNoRadius = 1e-40f;

QTransform ToQt(const TvxMatrix& m) {
  return QTransform(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
}

// Left, top, width, height; empty when the rectangle is inverted or not a number.
QRectF ToQt(const TvxRect& r) {
  const QRectF rect(r.Left, r.Top, RectWidth(r), RectHeight(r));
  return rect.isValid() ? rect : QRectF();
}

// A coordinate as a pixel index within [low, high]; NaN counts as `low`.
int PixelIndex(double value, int low, int high) {
  if (!(value >= low)) return low;
  if (value >= high) return high;
  return int(value);
}

bool IsIntegral(const QRectF& r) {
  return r.left() == std::floor(r.left()) && r.top() == std::floor(r.top()) &&
         r.width() == std::floor(r.width()) && r.height() == std::floor(r.height());
}

bool HasFraction(float value) {
  return value != std::trunc(value);
}

QString ToQt(const std::u16string& text) {
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

}  // namespace

TvxCanvasQt::TvxCanvasQt(int width, int height) {
  ResizeBuffer(width, height);
}

TvxCanvasQt::TvxCanvasQt(TvxBitmap& bitmap) : TvxCanvas(bitmap) {
  Painter();
}

TvxCanvasQt::~TvxCanvasQt() {
  End();
  for (int id : privateFonts_) QFontDatabase::removeApplicationFont(id);
}

// ---- surface -------------------------------------------------------------------------------

void TvxCanvasQt::Begin(uchar* bits, int width, int height) {
  image_ = QImage(bits, width, height, qsizetype(width) * 4, QImage::Format_ARGB32_Premultiplied);
  // Font sizes are pixels at 96 dpi whatever the screen says.
  image_.setDotsPerMeterX(kDotsPerMeter96Dpi);
  image_.setDotsPerMeterY(kDotsPerMeter96Dpi);
  painter_.begin(&image_);
  painter_.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                          QPainter::TextAntialiasing);
  painter_.setWorldTransform(ToQt(Matrix()));
  saveDepth_ = 0;
}

void TvxCanvasQt::End() {
  if (painter_.isActive()) painter_.end();
  image_ = QImage();
  saveDepth_ = 0;
}

QPainter* TvxCanvasQt::Painter() {
  if (!Buffered() && Bitmap()) {
    TvxBitmap& bitmap = *Bitmap();
    if (bitmap.IsEmpty()) {
      End();
      return nullptr;
    }
    const auto* bits = reinterpret_cast<const uchar*>(bitmap.Pixels().data());
    if (!painter_.isActive() || image_.constBits() != bits || image_.width() != bitmap.Width() ||
        image_.height() != bitmap.Height()) {
      End();
      TvxCanvas::ResizeBuffer(bitmap.Width(), bitmap.Height());
      Begin(reinterpret_cast<uchar*>(bitmap.Pixels().data()), bitmap.Width(), bitmap.Height());
    }
  }
  return painter_.isActive() ? &painter_ : nullptr;
}

std::span<TvxColor> TvxCanvasQt::Surface() {
  if (!Painter()) return {};
  if (Buffered()) return buffer_;
  return Bitmap()->Pixels();
}

void TvxCanvasQt::FreeBuffer() {
  End();
  if (Buffered()) {
    buffer_.clear();
    buffer_.shrink_to_fit();
    SetBuffer(nullptr, nullptr);
  }
}

void TvxCanvasQt::ResizeBuffer(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == Width() && height == Height() && painter_.isActive()) return;
  FreeBuffer();
  TvxCanvas::ResizeBuffer(width, height);
  if (!Buffered()) {
    Painter();
    return;
  }
  try {
    buffer_.assign(size_t(width) * size_t(height), 0);
  } catch (const std::bad_alloc&) {
    throw Exception("Can't allocate the DIB handle");
  }
  Begin(reinterpret_cast<uchar*>(buffer_.data()), width, height);
  SetBuffer(&painter_, buffer_.data());
}

void TvxCanvasQt::FlushBuffer(int x, int y, TvxDeviceContext dc) {
  FlushBufferRect(x, y, dc, RectOf(0, 0, float(Width() - 1), float(Height() - 1)));
}

void TvxCanvasQt::FlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect) {
  auto* target = static_cast<QPainter*>(dc);
  if (!Buffered() || !painter_.isActive() || !target || !target->isActive()) return;
  const int left = PixelIndex(rect.Left, 0, Width());
  const int top = PixelIndex(rect.Top, 0, Height());
  const int right = PixelIndex(std::trunc(rect.Right) + 1, left, Width());
  const int bottom = PixelIndex(std::trunc(rect.Bottom) + 1, top, Height());
  target->save();
  target->resetTransform();
  target->setCompositionMode(QPainter::CompositionMode_Source);
  target->drawImage(QPoint(x + left, y + top), image_,
                    QRect(left, top, right - left, bottom - top));
  target->restore();
}

void TvxCanvasQt::Clear(TvxColor color) {
  const std::span<TvxColor> pixels = Surface();
  std::fill(pixels.begin(), pixels.end(), PremultiplyColor(color));
}

// Writes the colour value as it is, ignoring matrix and clip.
void TvxCanvasQt::ClearRect(const TvxRect& rect, TvxColor color) {
  const std::span<TvxColor> pixels = Surface();
  if (pixels.empty()) return;
  const int left = PixelIndex(rect.Left, 0, Width());
  const int top = PixelIndex(rect.Top, 0, Height());
  const int right = PixelIndex(RoundHalfEven(rect.Right), left, Width());
  const int bottom = PixelIndex(RoundHalfEven(rect.Bottom), top, Height());
  for (int y = top; y < bottom; ++y) {
    auto row = pixels.begin() + ptrdiff_t(y) * Width();
    std::fill(row + left, row + right, color);
  }
}

// ---- transform, state and clip ---------------------------------------------------------------

void TvxCanvasQt::SetMatrix(const TvxMatrix& matrix) {
  TvxCanvas::SetMatrix(matrix);
  if (QPainter* p = Painter()) p->setWorldTransform(ToQt(matrix));
}

void TvxCanvasQt::MultiplyMatrix(const TvxMatrix& matrix) {
  if (QPainter* p = Painter()) p->setWorldTransform(ToQt(matrix), true);
}

int TvxCanvasQt::SaveState() {
  QPainter* p = Painter();
  if (!p) return -1;
  p->save();
  return saveDepth_++;
}

// Restoring a state also drops every state saved after it.
void TvxCanvasQt::RestoreState(int state) {
  QPainter* p = Painter();
  if (!p || state < 0) return;
  while (saveDepth_ > state) {
    p->restore();
    --saveDepth_;
  }
}

void TvxCanvasQt::SetClipRects(std::span<const TvxRect> rects) {
  QPainter* p = Painter();
  if (!p) return;
  if (rects.size() == 1) {
    p->setClipRect(ToQt(rects[0]), Qt::ReplaceClip);
    return;
  }
  const bool integral =
      std::all_of(rects.begin(), rects.end(), [](const TvxRect& r) { return IsIntegral(ToQt(r)); });
  if (integral) {
    QRegion region;
    for (const TvxRect& r : rects) region += ToQt(r).toRect();
    p->setClipRegion(region, Qt::ReplaceClip);
    return;
  }
  QPainterPath area;
  for (const TvxRect& r : rects) area.addRect(ToQt(r));
  p->setClipPath(area.simplified(), Qt::ReplaceClip);
}

void TvxCanvasQt::IntersectClipRect(const TvxRect& rect) {
  if (QPainter* p = Painter()) p->setClipRect(ToQt(rect), Qt::IntersectClip);
}

void TvxCanvasQt::ExcludeClipRect(const TvxRect& rect) {
  QPainter* p = Painter();
  if (!p) return;
  QPainterPath area;
  if (p->hasClipping()) {
    area = p->clipPath();
  } else {
    bool invertible = false;
    const QTransform inverse = p->worldTransform().inverted(&invertible);
    if (!invertible) return;
    area.addRect(inverse.mapRect(QRectF(0, 0, Width(), Height())));
  }
  QPainterPath hole;
  hole.addRect(ToQt(rect));
  p->setClipPath(area.subtracted(hole), Qt::ReplaceClip);
}

void TvxCanvasQt::ResetClipRect() {
  if (QPainter* p = Painter()) p->setClipping(false);
}

// ---- brushes ---------------------------------------------------------------------------------

void TvxCanvasQt::ResolveResource(TvxBrush& brush) {
  if (brush.Style() != vxBrushResource) return;
  TvxBrush* resolved = brush.ResolvedResource();
  if (resolved && resolved != &brush) brush.Assign(*resolved);
}

TvxQtBrush TvxCanvasQt::FillSetup(const TvxRect& r, float opacity) {
  ResolveResource(Fill());
  TvxQtBrush fill = TvxQtPaint::FillBrush(Fill(), r, opacity, StrokeThickness());
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(fill.brush);
  painter_.setOpacity(fill.opacity);
  return fill;
}

// False when there is nothing to stroke with.
bool TvxCanvasQt::StrokeSetup(const TvxRect& r, float opacity) {
  ResolveResource(Stroke());
  if (Stroke().Style() == vxBrushNone) return false;
  const TvxQtBrush stroke = TvxQtPaint::StrokeBrush(Stroke(), r, opacity);
  const TvxQtPenStyle style{StrokeThickness(), StrokeCap(), StrokeJoin(), DashArray(),
                            DashOffset()};
  painter_.setPen(TvxQtPaint::Pen(stroke.brush, style));
  painter_.setBrush(Qt::NoBrush);
  painter_.setOpacity(stroke.opacity);
  return true;
}

void TvxCanvasQt::FillShape(const QPainterPath& shape, const TvxRect& r, float opacity) {
  if (!Painter() || Fill().Style() == vxBrushNone) return;
  if (Fill().Style() == vxBrushVisual) return FillVisual(r, opacity, &shape);
  FillSetup(r, opacity);
  painter_.drawPath(shape);
}

// Paints the fill's visual object, at the fill opacity, over r clipped to the shape (or to r).
// A visual fill met while painting one is skipped: an object filled with itself would never
// end.
void TvxCanvasQt::FillVisual(const TvxRect& r, float opacity, const QPainterPath* shape) {
  if (paintingVisual_) return;
  const int saved = SaveCanvas();
  if (shape) {
    painter_.setClipPath(*shape, Qt::IntersectClip);
  } else {
    IntersectClipRect(r);
  }
  if (auto* object = dynamic_cast<TvxVisualObject*>(Fill().Visual()->VisualObject())) {
    paintingVisual_ = true;
    const float oldOpacity = object->Opacity();
    TvxBrush oldStroke(Stroke().DefaultStyle(), Stroke().DefaultColor());
    oldStroke.Assign(Stroke());
    const float oldThickness = StrokeThickness();
    object->SetOpacity(opacity);
    object->PaintTo(*this, r);
    object->SetOpacity(oldOpacity);
    Stroke().Assign(oldStroke);
    SetStrokeThickness(oldThickness);
    paintingVisual_ = false;
  }
  RestoreCanvas(saved);
}

// ---- shapes ----------------------------------------------------------------------------------

void TvxCanvasQt::DrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity) {
  if (!Painter() || !StrokeSetup(RectOf(p1.X, p1.Y, p2.X, p2.Y), opacity)) return;
  painter_.drawLine(QPointF(p1.X, p1.Y), QPointF(p2.X, p2.Y));
}

void TvxCanvasQt::FillRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                           float opacity, TvxCornerType cornerType) {
  if (!Painter() || Fill().Style() == vxBrushNone) return;
  if ((xRadius == 0 && yRadius == 0) || (corners & AllCorners) == 0) {
    if (Fill().Style() == vxBrushVisual) return FillVisual(rect, opacity, nullptr);
    FillSetup(rect, opacity);
    painter_.drawRect(ToQt(rect));
    return;
  }
  FillShape(TvxQtPaths::CornerOutline(rect, xRadius, yRadius, corners, cornerType), rect, opacity);
}

void TvxCanvasQt::DrawRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                           float opacity, TvxCornerType cornerType) {
  if (!Painter() || !StrokeSetup(rect, opacity)) return;
  if (xRadius < kNoRadius && yRadius < kNoRadius) {
    painter_.drawRect(ToQt(rect));
    return;
  }
  painter_.drawPath(TvxQtPaths::CornerOutline(rect, xRadius, yRadius, corners, cornerType));
}

void TvxCanvasQt::FillEllipse(const TvxRect& rect, float opacity) {
  if (!Painter() || Fill().Style() == vxBrushNone) return;
  if (Fill().Style() == vxBrushVisual) {
    QPainterPath ellipse;
    ellipse.addEllipse(ToQt(rect));
    return FillVisual(rect, opacity, &ellipse);
  }
  FillSetup(rect, opacity);
  painter_.drawEllipse(ToQt(rect));
}

void TvxCanvasQt::DrawEllipse(const TvxRect& rect, float opacity) {
  if (!Painter() || !StrokeSetup(rect, opacity)) return;
  painter_.drawEllipse(ToQt(rect));
}

bool TvxCanvasQt::PtInPath(const TvxPoint& point, const TvxRect& rect, const TvxPathData& path) {
  if (!TvxQtPaths::HasArea(path)) return false;
  return TvxQtPaths::ToQt(path, TvxQtPaths::FitMapping(path, rect))
      .contains(QPointF(point.X, point.Y));
}

void TvxCanvasQt::FillPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (!TvxQtPaths::HasArea(path)) return;
  FillShape(TvxQtPaths::ToQt(path, TvxQtPaths::FitMapping(path, rect)), rect, opacity);
}

// Segment by segment, so every segment gets the pen's caps and none is joined to the next.
void TvxCanvasQt::DrawPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (!Painter() || !TvxQtPaths::HasArea(path)) return;
  if (!StrokeSetup(path.GetBounds(), opacity)) return;
  TvxQtPaths::ForEachSegment(path, TvxQtPaths::FitMapping(path, rect),
                             [this](const TvxQtPaths::Segment& s) {
                               if (!s.curve) {
                                 painter_.drawLine(s.from, s.to);
                                 return;
                               }
                               QPainterPath curve(s.from);
                               curve.cubicTo(s.c1, s.c2, s.to);
                               painter_.drawPath(curve);
                             });
}

void TvxCanvasQt::DrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect, const TvxRect& dstRect,
                             float opacity, bool highSpeed) {
  if (!(opacity > 0) || !Painter()) return;
  const QImage* image = TvxQtBitmapImage::Of(bitmap);
  if (!image) return;
  painter_.setOpacity(std::min(opacity, 1.0f));
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, !highSpeed);
  painter_.drawImage(ToQt(dstRect), *image, ToQt(srcRect));
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void TvxCanvasQt::DrawThumbnail(TvxBitmap& bitmap, float width, float /*height*/) {
  if (Buffered() || !Painter()) return;
  const QImage* image = TvxQtBitmapImage::Of(bitmap);
  if (!image) return;
  const qreal scale = qreal(width) / image->width();
  painter_.save();
  painter_.setOpacity(1);
  painter_.scale(scale, scale);
  painter_.drawImage(QPointF(0, 0), *image);
  painter_.restore();
}

// ---- text ------------------------------------------------------------------------------------

void TvxCanvasQt::FontChanged(TObject* /*sender*/) {
  fontValid_ = false;
}

const QFont& TvxCanvasQt::QtFont() {
  if (fontValid_) return font_;
  const TvxFont& f = Font();
  const QString family = QString::fromStdString(f.Family());
  const TvxFontStyle style = f.Style();
  const bool bold = style == vxFontBold || style == vxFontBoldItalic;
  const bool italic = style == vxFontItalic || style == vxFontBoldItalic;
  font_ = TvxFontSubstitution::MakeFont(family, f.Size(), bold, italic);
  for (const QString& loaded : privateFamilies_) {
    if (loaded.compare(family, Qt::CaseInsensitive) == 0) {
      font_.setFamilies(QStringList{loaded} + font_.families());
      break;
    }
  }
  font_.setUnderline(style == vxFontUnderline);
  font_.setStrikeOut(style == vxFontStrikeout);
  // ClearType asks for grid-fitted glyphs; plain anti-aliasing keeps the outlines as drawn.
  font_.setHintingPreference(f.ClearType() ? QFont::PreferFullHinting : QFont::PreferNoHinting);
  fontValid_ = true;
  return font_;
}

// Glyphs under a non-integral scale are never grid-fitted: they would jitter as the scale moves.
QFont TvxCanvasQt::TextFont() {
  QFont font = QtFont();
  if (HasFraction(Matrix().m11) || HasFraction(Matrix().m22)) {
    font.setHintingPreference(QFont::PreferNoHinting);
  }
  return font;
}

TvxQtTextLayout TvxCanvasQt::Layout(const TvxRect& rect, bool wordWrap, TvxTextAlign horzAlign,
                                    TvxTextAlign vertAlign) const {
  return {QRectF(rect.Left, rect.Top, RectWidth(rect), RectHeight(rect)), wordWrap, horzAlign,
          vertAlign};
}

QPaintDevice* TvxCanvasQt::TextDevice() {
  if (Painter()) return &image_;
  return TvxQtText::MeasureDevice();
}

void TvxCanvasQt::LoadFontFromStream(TMemoryStream& stream) {
  const auto bytes = stream.Remaining();
  const int id = QFontDatabase::addApplicationFontFromData(
      QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
  if (id < 0) return;
  privateFonts_.push_back(id);
  privateFamilies_ += QFontDatabase::applicationFontFamilies(id);
  fontValid_ = false;
}

// Opacity 1 draws at 0.99, which keeps text on the anti-aliased path of every backend.
void TvxCanvasQt::FillText(const TvxRect& rect, const std::u16string& text, bool wordWrap,
                           float opacity, TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  if (text.empty() || !Painter() || Fill().Style() == vxBrushNone) return;
  if (opacity == 1) opacity = 0.99f;
  const TvxQtBrush fill = FillSetup(rect, opacity);
  painter_.setPen(QPen(fill.brush, 0));
  painter_.setBrush(Qt::NoBrush);
  painter_.setFont(TextFont());
  TvxQtText::Draw(painter_, Layout(rect, wordWrap, horzAlign, vertAlign), ToQt(text));
}

void TvxCanvasQt::MeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap,
                              TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  if (!wordWrap) rect.Right = rect.Left;
  if (text.empty()) return;
  const QRectF box = TvxQtText::Measure(TextFont(), TextDevice(),
                                        Layout(rect, wordWrap, horzAlign, vertAlign), ToQt(text));
  rect = RectOf(float(box.left()), float(box.top()), float(box.right()), float(box.bottom()));
}

bool TvxCanvasQt::TextToPath(TvxPathData& path, const TvxRect& rect, const std::u16string& text,
                             bool wordWrap, TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  if (text.empty()) return false;
  QFont font = QtFont();
  font.setHintingPreference(QFont::PreferNoHinting);
  const QPainterPath outline = TvxQtText::Outline(
      font, TextDevice(), Layout(rect, wordWrap, horzAlign, vertAlign), ToQt(text));
  path.Clear();
  TvxQtPaths::AppendToPathData(outline, path);
  return true;
}
