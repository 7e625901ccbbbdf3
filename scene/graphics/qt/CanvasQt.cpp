#include "scene/graphics/qt/CanvasQt.h"

#include <QFontDatabase>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <new>

#include "platform/component/Exceptions.h"
#include "scene/graphics/PathSegments.h"
#include "scene/graphics/qt/BitmapImage.h"
#include "scene/graphics/qt/FontSubstitution.h"
#include "scene/graphics/qt/QtPaths.h"

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

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
  painter_.setWorldTransform(ToQt(DeviceMatrix()));
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
      SetSize(bitmap.Width(), bitmap.Height());
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

void TvxCanvasQt::OnFreeBuffer() {
  End();
  if (Buffered()) {
    buffer_.clear();
    buffer_.shrink_to_fit();
    SetBuffer(nullptr, nullptr);
  }
}

void TvxCanvasQt::OnResizeBuffer(int width, int height) {
  if (width == Width() && height == Height() && painter_.isActive()) return;
  FreeBuffer();
  SetSize(width, height);
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

void TvxCanvasQt::OnFlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect) {
  auto* target = static_cast<QPainter*>(dc);
  if (!Buffered() || !painter_.isActive() || !target->isActive()) return;
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

void TvxCanvasQt::OnClear(TvxColor color) {
  const std::span<TvxColor> pixels = Surface();
  std::fill(pixels.begin(), pixels.end(), PremultiplyColor(color));
}

// Writes the colour value as it is, ignoring matrix and clip.
void TvxCanvasQt::OnClearRect(const TvxRect& rect, TvxColor color) {
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

void TvxCanvasQt::OnSetMatrix(const TvxMatrix& matrix) {
  if (QPainter* p = Painter()) p->setWorldTransform(ToQt(matrix));
}

void TvxCanvasQt::OnMultiplyMatrix(const TvxMatrix& matrix) {
  if (QPainter* p = Painter()) p->setWorldTransform(ToQt(matrix), true);
}

int TvxCanvasQt::OnSaveState() {
  QPainter* p = Painter();
  if (!p) return -1;
  p->save();
  return saveDepth_++;
}

// Restoring a state also drops every state saved after it.
void TvxCanvasQt::OnRestoreState(int state) {
  QPainter* p = Painter();
  if (!p || state < 0) return;
  while (saveDepth_ > state) {
    p->restore();
    --saveDepth_;
  }
}

void TvxCanvasQt::OnSetClipRects(std::span<const TvxRect> rects) {
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

void TvxCanvasQt::OnIntersectClipRect(const TvxRect& rect) {
  if (QPainter* p = Painter()) p->setClipRect(ToQt(rect), Qt::IntersectClip);
}

void TvxCanvasQt::OnExcludeClipRect(const TvxRect& rect) {
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

void TvxCanvasQt::OnResetClipRect() {
  if (QPainter* p = Painter()) p->setClipping(false);
}

void TvxCanvasQt::OnIntersectClipPath(const TvxPathData& path, const TvxRect& rect) {
  if (QPainter* p = Painter())
    p->setClipPath(TvxQtPaths::ToQt(path, TvxQtPaths::FitMapping(path, rect)), Qt::IntersectClip);
}

// ---- brushes ---------------------------------------------------------------------------------

TvxQtBrush TvxCanvasQt::FillSetup(const TvxRect& r, float opacity) {
  TvxQtBrush fill = TvxQtPaint::FillBrush(Fill(), r, opacity, StrokeThickness());
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(fill.brush);
  painter_.setOpacity(fill.opacity);
  return fill;
}

void TvxCanvasQt::StrokeSetup(const TvxRect& r, float opacity) {
  const TvxQtBrush stroke = TvxQtPaint::StrokeBrush(Stroke(), r, opacity);
  const TvxQtPenStyle style{StrokeThickness(), StrokeCap(), StrokeJoin(), DashArray(),
                            DashOffset()};
  painter_.setPen(TvxQtPaint::Pen(stroke.brush, style));
  painter_.setBrush(Qt::NoBrush);
  painter_.setOpacity(stroke.opacity);
}

// ---- shapes ----------------------------------------------------------------------------------

void TvxCanvasQt::OnDrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity) {
  if (!Painter()) return;
  StrokeSetup(RectOf(p1.X, p1.Y, p2.X, p2.Y), opacity);
  painter_.drawLine(QPointF(p1.X, p1.Y), QPointF(p2.X, p2.Y));
}

void TvxCanvasQt::OnFillRect(const TvxRect& rect, float opacity) {
  if (!Painter()) return;
  FillSetup(rect, opacity);
  painter_.drawRect(ToQt(rect));
}

void TvxCanvasQt::OnDrawRect(const TvxRect& rect, float opacity) {
  if (!Painter()) return;
  StrokeSetup(rect, opacity);
  painter_.drawRect(ToQt(rect));
}

void TvxCanvasQt::OnDrawOutline(const TvxPathData& outline, const TvxRect& rect, float opacity) {
  if (!Painter()) return;
  StrokeSetup(rect, opacity);
  painter_.drawPath(TvxQtPaths::ToQt(outline, [](const TvxPoint& p) { return QPointF(p.X, p.Y); }));
}

void TvxCanvasQt::OnFillEllipse(const TvxRect& rect, float opacity) {
  if (!Painter()) return;
  FillSetup(rect, opacity);
  painter_.drawEllipse(ToQt(rect));
}

void TvxCanvasQt::OnDrawEllipse(const TvxRect& rect, float opacity) {
  if (!Painter()) return;
  StrokeSetup(rect, opacity);
  painter_.drawEllipse(ToQt(rect));
}

bool TvxCanvasQt::OnPtInPath(const TvxPoint& point, const TvxRect& rect, const TvxPathData& path) {
  return TvxQtPaths::ToQt(path, TvxQtPaths::FitMapping(path, rect))
      .contains(QPointF(point.X, point.Y));
}

void TvxCanvasQt::OnFillPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (!Painter()) return;
  FillSetup(rect, opacity);
  painter_.drawPath(TvxQtPaths::ToQt(path, TvxQtPaths::FitMapping(path, rect)));
}

// Segment by segment, so every segment gets the pen's caps and none is joined to the next.
void TvxCanvasQt::OnDrawPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (!Painter()) return;
  StrokeSetup(path.GetBounds(), opacity);
  ForEachPathSegment<QPointF>(path, TvxQtPaths::FitMapping(path, rect),
                              [this](const TvxPathSegment<QPointF>& s) {
                                if (!s.curve) {
                                  painter_.drawLine(s.from, s.to);
                                  return;
                                }
                                QPainterPath curve(s.from);
                                curve.cubicTo(s.c1, s.c2, s.to);
                                painter_.drawPath(curve);
                              });
}

void TvxCanvasQt::OnDrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect, const TvxRect& dstRect,
                               float opacity, bool highSpeed) {
  if (!Painter()) return;
  const QImage* image = TvxQtBitmapImage::Of(bitmap);
  if (!image) return;
  painter_.setOpacity(opacity);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, !highSpeed);
  painter_.drawImage(ToQt(dstRect), *image, ToQt(srcRect));
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void TvxCanvasQt::OnDrawThumbnail(TvxBitmap& bitmap, float width, float /*height*/) {
  if (!Painter()) return;
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

void TvxCanvasQt::OnFontChanged() {
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
  const TvxMatrix m = DeviceMatrix();
  if (HasFraction(m.m11) || HasFraction(m.m22)) {
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

void TvxCanvasQt::OnLoadFontFromStream(TMemoryStream& stream) {
  const auto bytes = stream.Remaining();
  const int id = QFontDatabase::addApplicationFontFromData(
      QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
  if (id < 0) return;
  privateFonts_.push_back(id);
  privateFamilies_ += QFontDatabase::applicationFontFamilies(id);
  fontValid_ = false;
}

void TvxCanvasQt::OnFillText(const TvxRect& rect, const std::u16string& text, bool wordWrap,
                             float opacity, TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  if (!Painter()) return;
  const TvxQtBrush fill = FillSetup(rect, opacity);
  painter_.setPen(QPen(fill.brush, 0));
  painter_.setBrush(Qt::NoBrush);
  painter_.setFont(TextFont());
  TvxQtText::Draw(painter_, Layout(rect, wordWrap, horzAlign, vertAlign), ToQt(text));
}

void TvxCanvasQt::OnMeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap,
                                TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  const QRectF box = TvxQtText::Measure(TextFont(), TextDevice(),
                                        Layout(rect, wordWrap, horzAlign, vertAlign), ToQt(text));
  rect = RectOf(float(box.left()), float(box.top()), float(box.right()), float(box.bottom()));
}

bool TvxCanvasQt::OnTextToPath(TvxPathData& path, const TvxRect& rect, const std::u16string& text,
                               bool wordWrap, TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  QFont font = QtFont();
  font.setHintingPreference(QFont::PreferNoHinting);
  const QPainterPath outline = TvxQtText::Outline(
      font, TextDevice(), Layout(rect, wordWrap, horzAlign, vertAlign), ToQt(text));
  path.Clear();
  TvxQtPaths::AppendToPathData(outline, path);
  return true;
}
