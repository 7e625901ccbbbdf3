#include "scene/graphics/gdiplus/GdiPlusPaint.h"

#include <algorithm>
#include <cmath>

#include "scene/graphics/gdiplus/GdiPlusBitmapImage.h"

using namespace Gdiplus;

namespace {

// Stops at equal positions make a hard colour edge; the later one goes just after.
constexpr REAL kStopStep = 1e-5f;
// GDI+ refuses dash entries of 0; a dot of this length still shows its caps.
constexpr REAL kShortestDash = 1e-3f;
constexpr REAL kMiterLimit = 10;

Color ToColor(TvxColor color) {
  return Color(ARGB(color));
}

template <class T>
std::unique_ptr<Brush> Checked(std::unique_ptr<T> brush) {
  if (brush->GetLastStatus() != Ok) return nullptr;
  return brush;
}

}  // namespace

std::unique_ptr<Brush> TvxGdiPlusPaint::Solid(TvxColor color) {
  return std::make_unique<SolidBrush>(ToColor(color));
}

TvxGdiPlusPaint::Stops TvxGdiPlusPaint::GradientStops(const TvxGradient& gradient, float opacity) {
  struct Point {
    REAL offset;
    TvxColor color;
  };
  std::vector<Point> points;
  const TvxGradientPoints& list = *gradient.Points();
  for (int i = 0; i < list.Count(); ++i) {
    const TvxGradientPoint* p = list.Point(i);
    if (std::isnan(p->Offset())) continue;
    points.push_back({std::clamp<REAL>(p->Offset(), 0, 1), ColorWithOpacity(p->Color(), opacity)});
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const Point& a, const Point& b) { return a.offset < b.offset; });
  Stops stops;
  if (points.empty()) return stops;
  const auto add = [&stops](REAL position, TvxColor color) {
    if (!stops.positions.empty() && position <= stops.positions.back()) {
      position = stops.positions.back() + kStopStep;
    }
    if (position > 1) {
      stops.colors.back() = ToColor(color);
      return;
    }
    stops.colors.push_back(ToColor(color));
    stops.positions.push_back(position);
  };
  if (points.front().offset > 0) add(0, points.front().color);
  for (const Point& p : points) add(p.offset, p.color);
  if (stops.positions.back() < 1) add(1, points.back().color);
  return stops;
}

// Beyond its ends the gradient repeats mirrored.
std::unique_ptr<Brush> TvxGdiPlusPaint::Linear(const TvxGradient& gradient, const TvxRect& r,
                                               float opacity) {
  const TvxPoint start = gradient.StartPosition()->Point();
  const TvxPoint stop = gradient.StopPosition()->Point();
  const REAL w = RectWidth(r);
  const REAL h = RectHeight(r);
  const PointF from(r.Left + start.X * w, r.Top + start.Y * h);
  const PointF to(r.Left + stop.X * w, r.Top + stop.Y * h);
  const Stops stops = GradientStops(gradient, opacity);
  if (stops.colors.size() < 2) return nullptr;
  // A gradient without length shows its last colour, as it does past its end.
  if (from.Equals(to)) return Solid(stops.colors.back().GetValue());
  auto brush =
      std::make_unique<LinearGradientBrush>(from, to, stops.colors.front(), stops.colors.back());
  if (brush->GetLastStatus() != Ok) return nullptr;
  brush->SetInterpolationColors(stops.colors.data(), stops.positions.data(),
                                INT(stops.colors.size()));
  brush->SetWrapMode(WrapModeTileFlipX);
  return Checked(std::move(brush));
}

// Offset 0 lies on the edge of the ellipse inscribed in r and 1 at its centre, as GDI+ path
// gradients count; outside the ellipse nothing is painted.
std::unique_ptr<Brush> TvxGdiPlusPaint::Radial(const TvxGradient& gradient, const TvxRect& r,
                                               float opacity) {
  Stops stops = GradientStops(gradient, opacity);
  if (stops.colors.size() < 2) return nullptr;
  GraphicsPath ellipse;
  ellipse.AddEllipse(RectF(r.Left, r.Top, RectWidth(r), RectHeight(r)));
  auto brush = std::make_unique<PathGradientBrush>(&ellipse);
  if (brush->GetLastStatus() != Ok) return nullptr;
  brush->SetInterpolationColors(stops.colors.data(), stops.positions.data(),
                                INT(stops.colors.size()));
  brush->SetWrapMode(WrapModeClamp);
  const TvxMatrix& m = gradient.RadialTransform()->Matrix();
  const Matrix transform(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
  brush->SetTransform(&transform);
  return Checked(std::move(brush));
}

std::unique_ptr<ImageAttributes> TvxGdiPlusPaint::Fading(float opacity) {
  if (opacity >= 1) return nullptr;
  ColorMatrix fade = {{{1, 0, 0, 0, 0},
                       {0, 1, 0, 0, 0},
                       {0, 0, 1, 0, 0},
                       {0, 0, 0, std::max(opacity, 0.0f), 0},
                       {0, 0, 0, 0, 1}}};
  auto attributes = std::make_unique<ImageAttributes>();
  attributes->SetColorMatrix(&fade);
  return attributes;
}

// The pattern is anchored at the origin of the drawing coordinates.
std::unique_ptr<Brush> TvxGdiPlusPaint::Texture(const TvxBrushBitmap& source, const TvxRect& r,
                                                float opacity, float stretchMargin) {
  TvxBitmap* bitmap = source.Bitmap();
  if (TvxBitmap* shared = bitmap->ResourceBitmap()) bitmap = shared;
  Bitmap* image = TvxGdiPlusBitmapImage::Of(*bitmap);
  if (!image) return Solid(0);
  const auto fade = Fading(opacity);
  const RectF whole(0, 0, REAL(bitmap->Width()), REAL(bitmap->Height()));
  auto brush = std::make_unique<TextureBrush>(image, whole, fade.get());
  if (brush->GetLastStatus() != Ok) return Solid(0);
  switch (source.WrapMode()) {
    case vxWrapTile:
      brush->SetWrapMode(WrapModeTile);
      break;
    case vxWrapTileOriginal:
      brush->SetWrapMode(WrapModeTileFlipX);
      break;
    case vxWrapTileStretch:
      // Mirrored beyond its edges rather than clamped: smooth sampling near an edge then
      // blends the edge pixel with itself instead of fading it into transparency.
      brush->SetWrapMode(WrapModeTileFlipXY);
      brush->ScaleTransform((RectWidth(r) + stretchMargin) / whole.Width,
                            (RectHeight(r) + stretchMargin) / whole.Height);
      break;
  }
  return Checked(std::move(brush));
}

std::unique_ptr<Brush> TvxGdiPlusPaint::FillBrush(const TvxBrush& fill, const TvxRect& r,
                                                  float opacity, float strokeThickness) {
  std::unique_ptr<Brush> brush;
  switch (fill.Style()) {
    case vxBrushSolid:
      return Solid(ColorWithOpacity(fill.EffectiveColor(), opacity));
    case vxBrushGradient:
      if (fill.Gradient()->Points()->Count() < 2) break;
      brush = fill.Gradient()->Style() == vxRadialGradient ? Radial(*fill.Gradient(), r, opacity)
                                                           : Linear(*fill.Gradient(), r, opacity);
      break;
    case vxBrushBitmap:
      brush = Texture(*fill.Bitmap(), r, opacity, strokeThickness / 2);
      break;
    default:
      break;
  }
  return brush ? std::move(brush) : Solid(0);
}

std::unique_ptr<Brush> TvxGdiPlusPaint::StrokeBrush(const TvxBrush& stroke, const TvxRect& r,
                                                    float opacity) {
  std::unique_ptr<Brush> brush;
  switch (stroke.Style()) {
    case vxBrushSolid:
      return Solid(ColorWithOpacity(stroke.EffectiveColor(), opacity));
    case vxBrushGradient:
      if (stroke.Gradient()->Points()->Count() < 2) {
        return Solid(ColorWithOpacity(stroke.EffectiveColor(), opacity));
      }
      brush = Linear(*stroke.Gradient(), r, opacity);
      break;
    case vxBrushBitmap:
      brush = Texture(*stroke.Bitmap(), r, opacity, 0);
      break;
    default:
      break;
  }
  return brush ? std::move(brush) : Solid(0);
}

std::unique_ptr<Pen> TvxGdiPlusPaint::Pen(const Brush& brush, const TvxGdiPlusPenStyle& style) {
  auto pen = std::make_unique<Gdiplus::Pen>(&brush, style.thickness);
  const bool round = style.cap == vxCapRound;
  pen->SetLineCap(round ? LineCapRound : LineCapFlat, round ? LineCapRound : LineCapFlat,
                  round ? DashCapRound : DashCapFlat);
  switch (style.join) {
    case vxJoinMiter:
      pen->SetLineJoin(LineJoinMiter);
      pen->SetMiterLimit(kMiterLimit);
      break;
    case vxJoinRound:
      pen->SetLineJoin(LineJoinRound);
      break;
    case vxJoinBevel:
      pen->SetLineJoin(LineJoinBevel);
      break;
  }
  std::vector<REAL> pattern;
  REAL total = 0;
  for (float d : style.dashes) {
    const REAL length = std::isfinite(d) ? std::max(0.0f, d) : 0;
    pattern.push_back(std::max(length, kShortestDash));
    total += length;
  }
  // Dash/gap pairs; an odd list repeats, as SVG does.
  if (pattern.size() % 2) pattern.insert(pattern.end(), pattern.begin(), pattern.end());
  if (total > 0) {
    pen->SetDashPattern(pattern.data(), INT(pattern.size()));
    pen->SetDashOffset(std::isfinite(style.dashOffset) ? style.dashOffset : 0);
  }
  return pen;
}
