#include "scene/graphics/qt/QtPaint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/graphics/qt/BitmapImage.h"

namespace {

// Qt merges stops at equal positions; a hard colour edge needs the later one just after.
constexpr qreal kStopStep = 1e-6;
// GDI+-compatible miter limit (Qt's default of 2 bevels most sharp corners).
constexpr qreal kMiterLimit = 10;

QColor ToQColor(TvxColor color) {
  return QColor::fromRgba(color);
}

void AddStop(QGradientStops& stops, qreal position, TvxColor color) {
  if (!stops.isEmpty() && position <= stops.last().first) {
    position = stops.last().first + kStopStep;
  }
  if (position > 1) {
    stops.last().second = ToQColor(color);
    return;
  }
  stops.append({position, ToQColor(color)});
}

QImage MirroredPair(const QImage& image) {
  QImage pair(image.width() * 2, image.height(), QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&pair);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, image);
  painter.drawImage(image.width(), 0, image.mirrored(true, false));
  return pair;
}

// Whether a corner of r projects outside the segment from..to on the gradient's axis.
bool ReachesBeyond(QPointF from, QPointF to, const TvxRect& r) {
  const QPointF axis = to - from;
  const qreal length = QPointF::dotProduct(axis, axis);
  if (!(length > 0)) return true;
  for (const QPointF corner : {QPointF(r.Left, r.Top), QPointF(r.Right, r.Top),
                               QPointF(r.Left, r.Bottom), QPointF(r.Right, r.Bottom)}) {
    const qreal t = QPointF::dotProduct(corner - from, axis) / length;
    if (t < 0 || t > 1) return true;
  }
  return false;
}

}  // namespace

QBrush TvxQtPaint::Solid(TvxColor color) {
  return QBrush(ToQColor(color));
}

// Points sorted by offset (stable, so equal offsets keep their order), each faded by opacity.
QGradientStops TvxQtPaint::Stops(const TvxGradient& gradient, float opacity, bool addEnds) {
  struct Point {
    qreal offset;
    TvxColor color;
  };
  std::vector<Point> points;
  const TvxGradientPoints& list = *gradient.Points();
  for (int i = 0; i < list.Count(); ++i) {
    const TvxGradientPoint* p = list.Point(i);
    if (std::isnan(p->Offset())) continue;
    points.push_back({std::clamp<qreal>(p->Offset(), 0, 1), ColorWithOpacity(p->Color(), opacity)});
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const Point& a, const Point& b) { return a.offset < b.offset; });
  QGradientStops stops;
  if (points.empty()) return stops;
  if (addEnds && points.front().offset > 0) AddStop(stops, 0, points.front().color);
  for (const Point& p : points) AddStop(stops, p.offset, p.color);
  if (addEnds && points.back().offset < 1) AddStop(stops, 1, points.back().color);
  return stops;
}

QBrush TvxQtPaint::Linear(const TvxGradient& gradient, const TvxRect& r, float opacity,
                          bool addEnds) {
  const TvxPoint start = gradient.StartPosition()->Point();
  const TvxPoint stop = gradient.StopPosition()->Point();
  const qreal w = RectWidth(r);
  const qreal h = RectHeight(r);
  const QPointF from(r.Left + start.X * w, r.Top + start.Y * h);
  const QPointF to(r.Left + stop.X * w, r.Top + stop.Y * h);
  QLinearGradient linear(from, to);
  // Beyond its ends the gradient repeats mirrored. Qt's mirrored spread is slow, and it only
  // shows where part of the rectangle lies beyond the ends.
  if (ReachesBeyond(from, to, r)) linear.setSpread(QGradient::ReflectSpread);
  linear.setStops(Stops(gradient, opacity, addEnds));
  return QBrush(linear);
}

// Offset 0 lies on the edge of the ellipse inscribed in r and 1 at its centre; outside the
// ellipse nothing is painted. Built on the unit circle, then mapped onto the ellipse and
// through the radial transform.
QBrush TvxQtPaint::Radial(const TvxGradient& gradient, const TvxRect& r, float opacity) {
  const qreal rx = RectWidth(r) / 2;
  const qreal ry = RectHeight(r) / 2;
  // The fade to transparent takes about one pixel past the edge.
  const qreal edge = 1 / (1 + 1 / std::max<qreal>(1, std::min(std::abs(rx), std::abs(ry))));
  QGradientStops stops;
  const QGradientStops inner = Stops(gradient, opacity, true);
  for (auto it = inner.rbegin(); it != inner.rend(); ++it) {
    stops.append({(1 - it->first) * edge, it->second});
  }
  stops.append({1, QColor(Qt::transparent)});
  QRadialGradient radial(QPointF(0, 0), 1 / edge);
  radial.setStops(stops);
  QBrush brush(radial);
  const TvxMatrix& m = gradient.RadialTransform()->Matrix();
  brush.setTransform(QTransform::fromScale(rx, ry) *
                     QTransform::fromTranslate(r.Left + rx, r.Top + ry) *
                     QTransform(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32));
  return brush;
}

TvxQtBrush TvxQtPaint::Texture(const TvxBrushBitmap& source, const TvxRect& r, float opacity,
                               float stretchMargin) {
  TvxBitmap* bitmap = source.Bitmap();
  if (TvxBitmap* shared = bitmap->ResourceBitmap()) bitmap = shared;
  const QImage* image = TvxQtBitmapImage::Of(*bitmap);
  if (!image) return {Solid(0), 1};
  switch (source.WrapMode()) {
    case vxWrapTile:
      return {QBrush(*image), opacity};
    case vxWrapTileOriginal:
      return {QBrush(MirroredPair(*image)), opacity};
    case vxWrapTileStretch:
      break;
  }
  QBrush brush(*image);
  brush.setTransform(QTransform::fromScale((RectWidth(r) + stretchMargin) / image->width(),
                                           (RectHeight(r) + stretchMargin) / image->height()));
  return {brush, opacity};
}

TvxQtBrush TvxQtPaint::FillBrush(const TvxBrush& fill, const TvxRect& r, float opacity,
                                 float strokeThickness) {
  switch (fill.Style()) {
    case vxBrushSolid:
      return {Solid(ColorWithOpacity(fill.EffectiveColor(), opacity))};
    case vxBrushGradient:
      if (fill.Gradient()->Points()->Count() < 2) break;
      if (fill.Gradient()->Style() == vxRadialGradient) {
        return {Radial(*fill.Gradient(), r, opacity)};
      }
      return {Linear(*fill.Gradient(), r, opacity, true)};
    case vxBrushBitmap:
      return Texture(*fill.Bitmap(), r, opacity, strokeThickness / 2);
    default:
      break;
  }
  return {Solid(0)};
}

TvxQtBrush TvxQtPaint::StrokeBrush(const TvxBrush& stroke, const TvxRect& r, float opacity) {
  switch (stroke.Style()) {
    case vxBrushSolid:
      return {Solid(ColorWithOpacity(stroke.EffectiveColor(), opacity))};
    case vxBrushGradient:
      if (stroke.Gradient()->Points()->Count() < 2) {
        return {Solid(ColorWithOpacity(stroke.EffectiveColor(), opacity))};
      }
      return {Linear(*stroke.Gradient(), r, opacity, false)};
    case vxBrushBitmap:
      return Texture(*stroke.Bitmap(), r, opacity, 0);
    default:
      break;
  }
  return {Solid(0)};
}

QPen TvxQtPaint::Pen(const QBrush& brush, const TvxQtPenStyle& style) {
  QPen pen(brush, style.thickness);
  pen.setCapStyle(style.cap == vxCapRound ? Qt::RoundCap : Qt::FlatCap);
  switch (style.join) {
    case vxJoinMiter:
      pen.setJoinStyle(Qt::MiterJoin);
      pen.setMiterLimit(kMiterLimit);
      break;
    case vxJoinRound:
      pen.setJoinStyle(Qt::RoundJoin);
      break;
    case vxJoinBevel:
      pen.setJoinStyle(Qt::BevelJoin);
      break;
  }
  QList<qreal> pattern;
  qreal total = 0;
  for (float d : style.dashes) {
    const qreal length = std::isfinite(d) ? std::max(0.0f, d) : 0;
    pattern.append(length);
    total += length;
  }
  // Qt needs dash/gap pairs; an odd list repeats, as SVG does.
  if (pattern.size() % 2) pattern += pattern;
  if (total > 0) {
    pen.setDashPattern(pattern);
    pen.setDashOffset(std::isfinite(style.dashOffset) ? style.dashOffset : 0);
  }
  return pen;
}
