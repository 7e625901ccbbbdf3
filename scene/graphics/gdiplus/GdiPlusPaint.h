#pragma once

// Turns the engine's brushes and pen settings into GDI+ brushes and pens.

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <memory>
#include <span>
#include <vector>

#include "scene/graphics/Brush.h"

struct TvxGdiPlusPenStyle {
  float thickness = 1;
  TvxStrokeCap cap = vxCapFlat;
  TvxStrokeJoin join = vxJoinMiter;
  std::span<const float> dashes;
  float dashOffset = 0;
};

class TvxGdiPlusPaint {
 public:
  // The fill over rectangle `r`. Bitmaps stretch over `r` grown by half the stroke thickness.
  static std::unique_ptr<Gdiplus::Brush> FillBrush(const TvxBrush& fill, const TvxRect& r,
                                                   float opacity, float strokeThickness);
  // The stroke over `r`; stretched bitmaps exactly over `r`.
  static std::unique_ptr<Gdiplus::Brush> StrokeBrush(const TvxBrush& stroke, const TvxRect& r,
                                                     float opacity);
  // Dash lengths are multiples of the thickness, as GDI+ counts them too.
  static std::unique_ptr<Gdiplus::Pen> Pen(const Gdiplus::Brush& brush,
                                           const TvxGdiPlusPenStyle& style);
  // Image attributes that scale alpha by `opacity`; null at full opacity.
  static std::unique_ptr<Gdiplus::ImageAttributes> Fading(float opacity);

 private:
  struct Stops {
    std::vector<Gdiplus::Color> colors;
    std::vector<Gdiplus::REAL> positions;
  };
  static std::unique_ptr<Gdiplus::Brush> Solid(TvxColor color);
  // Sorted stops faded by opacity, from 0 to 1 (the end colours extend to the ends).
  static Stops GradientStops(const TvxGradient& gradient, float opacity);
  static std::unique_ptr<Gdiplus::Brush> Linear(const TvxGradient& gradient, const TvxRect& r,
                                                float opacity);
  static std::unique_ptr<Gdiplus::Brush> Radial(const TvxGradient& gradient, const TvxRect& r,
                                                float opacity);
  static std::unique_ptr<Gdiplus::Brush> Texture(const TvxBrushBitmap& source, const TvxRect& r,
                                                 float opacity, float stretchMargin);
};
