#pragma once

// Turns the engine's brushes and pen settings into Qt brushes and pens.

#include <QBrush>
#include <QPen>
#include <span>

#include "scene/graphics/Brush.h"

// A Qt brush and the painter opacity it is to be used with (bitmap brushes fade through the
// painter; colours carry their opacity themselves).
struct TvxQtBrush {
  QBrush brush;
  qreal opacity = 1;
};

struct TvxQtPenStyle {
  float thickness = 1;
  TvxStrokeCap cap = vxCapFlat;
  TvxStrokeJoin join = vxJoinMiter;
  std::span<const float> dashes;
  float dashOffset = 0;
};

class TvxQtPaint {
 public:
  // The fill over rectangle `r`. Gradients gain end stops at 0 and 1; bitmaps stretch over `r`
  // grown by half the stroke thickness.
  static TvxQtBrush FillBrush(const TvxBrush& fill, const TvxRect& r, float opacity,
                              float strokeThickness);
  // The stroke over `r`: gradients without added end stops, stretched bitmaps exactly over `r`.
  static TvxQtBrush StrokeBrush(const TvxBrush& stroke, const TvxRect& r, float opacity);
  // Dash lengths are multiples of the thickness, as Qt counts them too.
  static QPen Pen(const QBrush& brush, const TvxQtPenStyle& style);

 private:
  static QBrush Solid(TvxColor color);
  static QGradientStops Stops(const TvxGradient& gradient, float opacity, bool addEnds);
  static QBrush Linear(const TvxGradient& gradient, const TvxRect& r, float opacity, bool addEnds);
  static QBrush Radial(const TvxGradient& gradient, const TvxRect& r, float opacity);
  static TvxQtBrush Texture(const TvxBrushBitmap& source, const TvxRect& r, float opacity,
                            float stretchMargin);
};
